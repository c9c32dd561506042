#pragma once

#include <QFont>

namespace tessaloom {

// The screens' lettering. Designer forms hold whole point sizes only, so the fractional sizes
// of the design (8.25, 27.75, ...) are set in code.
QFont comicSans(double points, bool bold);

} // namespace tessaloom
