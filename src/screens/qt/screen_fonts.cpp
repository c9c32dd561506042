#include "screens/qt/screen_fonts.h"

namespace tessaloom {

QFont comicSans(double points, bool bold)
{
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace tessaloom
