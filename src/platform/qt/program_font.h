#pragma once

#include <QFont>

namespace tessaloom {

// The lettering of every window. Designer forms hold whole point sizes only, so the design's
// fractional sizes (8.25, 9.75, 27.75, ...) are set in code with this.
inline QFont comicSans(double points, bool bold)
{
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace tessaloom
