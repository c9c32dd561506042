#include "platform/picture_files/decode_budget.h"

#include <algorithm>
#include <cmath>

namespace tessaloom {

namespace {

// The reader's own tables and buffers, whatever the picture.
constexpr std::uint64_t kFixedOverhead = 1024 * 1024;

std::uint64_t ceilDivide(std::uint64_t value, std::uint64_t divisor)
{
    return value / divisor + (value % divisor != 0);
}

// The JPEG reader decodes at M/8 of the full size, the smallest M that still covers the box.
int jpegEighths(const PictureHeader& header, PixelSize box)
{
    if (box.width <= 0 || box.height <= 0)
        return 8;
    const double shrink = std::min(double(header.width) / box.width, double(header.height) / box.height);
    return std::clamp(static_cast<int>(std::ceil(8 / shrink)), 1, 8);
}

std::uint64_t jpegWorkingMemory(const PictureHeader& header, PixelSize box)
{
    const int eighths = jpegEighths(header, decodeBox(box, header.orientation));
    const std::uint64_t width = ceilDivide(sizeProduct({std::uint64_t(header.width), std::uint64_t(eighths)}), 8);
    const std::uint64_t height = ceilDivide(sizeProduct({std::uint64_t(header.height), std::uint64_t(eighths)}), 8);
    const JpegComponent mcu = largestSampling(header.components);
    // The decoded picture, 4 bytes a pixel, and the sample rows the decoder works on.
    std::uint64_t memory = sizeSum({sizeProduct({width, height, 4}),
                                    sizeProduct({width, header.components.size(), std::uint64_t(mcu.vertical), 64})});
    if (header.buffersWholePicture) {
        // Every 8 x 8 block of every component, 64 coefficients of 2 bytes, in whole MCUs.
        const std::uint64_t mcuColumns = ceilDivide(std::uint64_t(header.width), 8 * mcu.horizontal);
        const std::uint64_t mcuRows = ceilDivide(std::uint64_t(header.height), 8 * mcu.vertical);
        for (const JpegComponent& component : header.components)
            memory = sizeSum({memory,
                              sizeProduct({mcuColumns, std::uint64_t(component.horizontal), mcuRows,
                                           std::uint64_t(component.vertical), 128})});
    }
    return memory;
}

std::uint64_t pixelBytes(const PictureHeader& header, std::uint64_t bytesPerPixel)
{
    return sizeProduct({std::uint64_t(header.width), std::uint64_t(header.height), bytesPerPixel});
}

// The PNG reader scales 8-bit colour rows into the box as it reads them, unless Adam7 interlacing
// spreads them over the file or the box is larger than the picture. Otherwise it holds the
// whole picture, 4 bytes a pixel (8 with 16-bit samples), and a copy converted for scaling.
std::uint64_t pngWorkingMemory(const PictureHeader& header, PixelSize box)
{
    const PixelSize target = decodeBox(box, header.orientation);
    const bool colour = header.colourType == 2 || header.colourType == 4 || header.colourType == 6;
    if (colour && header.bitDepth == 8 && !header.interlaced && target.width > 0 && target.height > 0 &&
        target.width <= header.width && target.height <= header.height)
        return sizeSum({sizeProduct({std::uint64_t(target.width), std::uint64_t(target.height), 4}),
                        sizeProduct({std::uint64_t(header.width), 64})}); // the rows in hand, 64 bytes a pixel
    return pixelBytes(header, header.bitDepth == 16 ? 16 : 8);
}

// The WebP reader holds the whole file and decodes the first frame at full size, 4 bytes a
// pixel; a lossless bitstream is decoded into a picture of its own first, an alpha plane takes
// a byte a pixel and a frame with alpha is converted for scaling; an animation draws the frame
// on a canvas, which is converted for scaling too.
std::uint64_t webpWorkingMemory(const PictureHeader& header)
{
    const std::uint64_t perPixel = 4 + (header.lossless ? 4 : 0) + (header.alpha ? 5 : 0) + (header.animated ? 8 : 0);
    return sizeSum({header.heldBytes, pixelBytes(header, perPixel)});
}

// libheif holds the coded data, the decoded planes three times over (the codec's pictures and its
// own copy; measured so for a 12-megapixel HEIC), once more where it turns or mirrors them, and
// converts them to 4 bytes a pixel. An alpha plane is decoded likewise, and the picture with
// alpha is converted again for scaling.
std::uint64_t heifWorkingMemory(const PictureHeader& header)
{
    const std::uint64_t halfSamples = header.halfSamplesPerPixel + (header.alpha ? 2 : 0);
    const std::uint64_t planes = pixelBytes(header, header.sampleBytes * halfSamples) / 2;
    return sizeSum({sizeProduct({header.heldBytes, 2}), sizeProduct({planes, header.transformed ? 4u : 3u}),
                    pixelBytes(header, header.alpha ? 8 : 4)});
}

std::uint64_t fullDecodeWorkingMemory(const PictureHeader& header, PixelSize box)
{
    switch (header.format) {
    case PictureFormat::Jpeg:
        return jpegWorkingMemory(header, box);
    case PictureFormat::Png:
        return pngWorkingMemory(header, box);
    case PictureFormat::WebP:
        return webpWorkingMemory(header);
    case PictureFormat::Heif:
        return heifWorkingMemory(header);
    default: // GIF and BMP decode at full size, and the picture is converted once before it is scaled
        return pixelBytes(header, 8);
    }
}

} // namespace

std::uint64_t decodeWorkingMemory(const PictureHeader& header, PixelSize box)
{
    const std::uint64_t decode = fullDecodeWorkingMemory(header, box);
    // The picture scaled to the box, and its copy turned upright.
    const std::uint64_t result =
        sizeProduct({std::uint64_t(std::max(box.width, 0)), std::uint64_t(std::max(box.height, 0)), 8});
    return sizeSum({decode, result, kFixedOverhead});
}

bool withinMemoryLimit(PictureCheck& check, PixelSize box)
{
    check.workingMemory = decodeWorkingMemory(check.header, box);
    if (check.workingMemory <= kDecodeMemoryLimit)
        return true;
    check.verdict = PictureVerdict::TooLarge;
    return false;
}

} // namespace tessaloom
