#pragma once

#include <cmath>
#include <memory>
#include <string>
#include <vector>

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

// The device pixels of a box laid out in logical pixels on a screen with this ratio, rounded
// as the toolkit rounds them when it stretches a picture to the box.
inline PixelSize devicePixels(PixelSize box, double devicePixelRatio)
{
    return {static_cast<int>(std::lround(box.width * devicePixelRatio)),
            static_cast<int>(std::lround(box.height * devicePixelRatio))};
}

// Reads picture files (JPEG, BMP, GIF, PNG, WebP, HEIC and AVIF where the platform has their
// readers). The box is the size in device pixels of the image control
// that will stretch the picture, so a loader decodes straight to that size.
class PictureLoader {
public:
    virtual ~PictureLoader() = default;

    // A picture, or null when the file cannot be read as a picture.
    virtual PictureRef loadPicture(const std::string& path, PixelSize box) = 0;

    // Starts decoding these files for this box in the background, so that loading one of them
    // later returns at once. Replaces what an earlier call had still to do.
    virtual void preparePictures(const std::vector<std::string>& paths, PixelSize box) = 0;
};

} // namespace tessaloom
