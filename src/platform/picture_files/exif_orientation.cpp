#include "platform/picture_files/picture_check.h"

#include <cstring>

namespace tessaloom {

namespace {

constexpr std::uint8_t kExif[6] = {'E', 'x', 'i', 'f', 0, 0};

bool hasExifPrefix(const std::uint8_t* data, std::size_t size)
{
    return size >= sizeof kExif && std::memcmp(data, kExif, sizeof kExif) == 0;
}

// A TIFF structure: byte order, 42, the offset of the first directory of 12-byte entries.
int tiffOrientation(const std::uint8_t* tiff, std::size_t tiffSize)
{
    constexpr unsigned kOrientationTag = 0x0112;
    constexpr unsigned kShort = 3;
    if (tiffSize < 8)
        return 1;
    bool little;
    if (tiff[0] == 'I' && tiff[1] == 'I')
        little = true;
    else if (tiff[0] == 'M' && tiff[1] == 'M')
        little = false;
    else
        return 1;
    const auto u16 = [&](std::uint64_t at) { return little ? littleEndian16(tiff + at) : bigEndian16(tiff + at); };
    const auto u32 = [&](std::uint64_t at) { return little ? littleEndian32(tiff + at) : bigEndian32(tiff + at); };
    if (u16(2) != 42)
        return 1;
    const std::uint64_t directory = u32(4);
    if (directory + 2 > tiffSize)
        return 1;
    const unsigned entries = u16(directory);
    for (unsigned i = 0; i < entries; ++i) {
        const std::uint64_t entry = directory + 2 + 12ull * i;
        if (entry + 12 > tiffSize)
            return 1;
        if (u16(entry) != kOrientationTag)
            continue;
        const unsigned value = u16(entry + 8);
        return u16(entry + 2) == kShort && value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
    }
    return 1;
}

} // namespace

int exifOrientation(const std::uint8_t* segment, std::size_t size)
{
    return hasExifPrefix(segment, size) ? tiffOrientation(segment + sizeof kExif, size - sizeof kExif) : 1;
}

int exifOrientationOfData(const std::uint8_t* data, std::size_t size)
{
    return hasExifPrefix(data, size) ? exifOrientation(data, size) : tiffOrientation(data, size);
}

} // namespace tessaloom
