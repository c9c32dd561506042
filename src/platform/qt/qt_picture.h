#pragma once

#include "platform/picture.h"

#include <QImage>

namespace tessaloom {

class QtPicture final : public Picture {
public:
    explicit QtPicture(QImage image)
        : image_(std::move(image))
    {
    }
    const QImage& image() const { return image_; }

private:
    QImage image_;
};

// The image a picture handle carries, or a null image for an empty handle or a foreign one.
QImage imageOf(const PictureRef& picture);

} // namespace tessaloom
