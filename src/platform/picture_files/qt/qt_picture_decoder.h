#pragma once

#include "platform/picture_files/picture_decoder.h"

#include <QImage>
#include <QString>

namespace tessaloom {

// Decodes JPEG, GIF, BMP, PNG and WebP files with the toolkit's readers, and HEIC and AVIF with
// libheif where the program has it, from a file it has opened itself and judged by its structure
// first: straight to the box where the format allows, else decoded whole and scaled, then turned
// upright as the file says. Holds nothing, so any thread may use it.
class QtPictureDecoder final : public PictureDecoder {
public:
    PictureRef decode(const std::string& path, PixelSize box) override;
    std::optional<FileStamp> stamp(const std::string& path) override;

    // The same decode, giving the image; null when the file cannot be read as a picture.
    static QImage decodeImage(const QString& path, PixelSize box);
};

} // namespace tessaloom
