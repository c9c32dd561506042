#pragma once

#include "platform/picture.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tessaloom {

// What tells a file changed since it was decoded.
struct FileStamp {
    std::int64_t size = 0;
    std::int64_t modified = 0; // milliseconds since the epoch
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// Decodes picture files on whichever thread calls it; the background worker and the
// user-interface thread may call it at the same time.
class PictureDecoder {
public:
    virtual ~PictureDecoder() = default;

    // The picture for the box (device pixels), or null when the file cannot be read as one.
    virtual PictureRef decode(const std::string& path, PixelSize box) = 0;

    // The file's stamp, or nothing where there is no regular file.
    virtual std::optional<FileStamp> stamp(const std::string& path) = 0;
};

} // namespace tessaloom
