#include "platform/qt/qt_picture.h"

namespace tessaloom {

QImage imageOf(const PictureRef& picture)
{
    const auto* qtPicture = dynamic_cast<const QtPicture*>(picture.get());
    return qtPicture ? qtPicture->image() : QImage();
}

} // namespace tessaloom
