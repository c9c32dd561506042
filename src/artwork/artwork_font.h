#pragma once

#include <QFont>

namespace tessaloom::artwork {

// The lettering of every picture: Comic Neue, sized in pixels so a picture looks the same
// whatever the build host's screen resolution.
QFont artworkFont(qreal pixelSize, int weight = QFont::Bold);

// False when the build host lacks the font and another one stands in.
bool artworkFontInstalled();

} // namespace tessaloom::artwork
