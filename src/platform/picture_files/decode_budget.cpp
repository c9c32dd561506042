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

} // namespace

std::uint64_t decodeWorkingMemory(const PictureHeader& header, PixelSize box)
{
    // GIF and BMP decode at full size, and the picture is converted once before it is scaled.
    const std::uint64_t decode = header.format == PictureFormat::Jpeg
        ? jpegWorkingMemory(header, box)
        : sizeProduct({std::uint64_t(header.width), std::uint64_t(header.height), 8});
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
