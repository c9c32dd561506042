#pragma once

#include <QImage>

namespace tessaloom::artwork {

// The program's icon at one size: four cards on a woven tile, one of them gone and one turning.
// Each size is drawn on its own so the small ones stay crisp instead of being shrunk.
QImage renderIcon(int size);

} // namespace tessaloom::artwork
