#pragma once

#include <memory>
#include <string>

namespace tessaloom {

// A decoded picture as the toolkit holds it. The logic only passes pictures from one
// image control to another, so it sees them as opaque handles.
class Picture {
public:
    virtual ~Picture() = default;
};

using PictureRef = std::shared_ptr<const Picture>;

struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// Reads JPEG, BMP and GIF files. The box is the size of the image control that will stretch
// the picture, so a loader may decode straight to that size instead of the file's full size.
class PictureLoader {
public:
    virtual ~PictureLoader() = default;

    // A picture, or null when the file cannot be read as a picture.
    virtual PictureRef loadPicture(const std::string& path, PixelSize box) = 0;
};

} // namespace tessaloom
