// A BMP is whole when the file holds the pixel data its header promises: every row of an
// uncompressed picture, or a run-length coded stream that reaches its end.
#include "platform/picture_files/decode_budget.h"

#include <algorithm>
#include <climits>

namespace tessaloom {

namespace {

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

// The kinds the decoder reads: these bit counts, and each compression only with its own.
bool isReadable(unsigned bits, unsigned planes, std::uint32_t compression)
{
    const bool knownBits = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    return knownBits && planes == 1 &&
        (compression == kRgb || (compression == kRle8 && bits == 8) || (compression == kRle4 && bits == 4) ||
         (compression == kBitFields && (bits == 16 || bits == 32)));
}

// Follows the runs and escapes of a run-length coded picture to its end-of-picture code, or to
// the end of its last row.
bool runsReachTheEnd(ByteCursor& in, int rows, bool fourBits)
{
    int row = 0;
    while (row < rows) {
        std::uint8_t code[2];
        if (!in.read(code, sizeof code))
            return false;
        if (code[0] != 0)
            continue; // a run: a count and the value repeated
        switch (code[1]) {
        case 0: // end of row
            ++row;
            break;
        case 1: // end of picture
            return true;
        case 2: { // a jump; the decoder never lets it leave the last row
            std::uint8_t jump[2];
            if (!in.read(jump, sizeof jump))
                return false;
            row = std::min(row + jump[1], rows - 1);
            break;
        }
        default: { // that many literal pixels, padded to whole 16-bit words
            const unsigned bytes = fourBits ? (code[1] + 1u) / 2 : code[1];
            if (!in.skip(bytes + (bytes & 1)))
                return false;
        }
        }
    }
    return true;
}

} // namespace

PictureCheck checkBmp(ByteCursor& in, PixelSize box)
{
    PictureCheck check;
    check.header.format = PictureFormat::Bmp;
    std::uint8_t fileHeader[12]; // after the signature
    std::uint8_t info[124];
    if (!in.read(fileHeader, sizeof fileHeader) || !in.read(info, 4))
        return judged(check, PictureVerdict::CutOff);
    const std::uint32_t dataOffset = littleEndian32(fileHeader + 8);
    const std::uint32_t infoSize = littleEndian32(info);
    if (infoSize != 12 && infoSize != 40 && infoSize != 64 && infoSize != 108 && infoSize != 124)
        return judged(check, PictureVerdict::NotAPicture);
    if (!in.read(info + 4, infoSize - 4))
        return judged(check, PictureVerdict::CutOff);

    const bool oldHeader = infoSize == 12;
    const std::int64_t width =
        oldHeader ? std::int16_t(littleEndian16(info + 4)) : std::int32_t(littleEndian32(info + 4));
    const std::int64_t height =
        oldHeader ? std::int16_t(littleEndian16(info + 6)) : std::int32_t(littleEndian32(info + 8));
    const unsigned planes = littleEndian16(info + (oldHeader ? 8 : 12));
    const unsigned bits = littleEndian16(info + (oldHeader ? 10 : 14));
    const std::uint32_t compression = oldHeader ? kRgb : littleEndian32(info + 16);
    const std::uint32_t colours = oldHeader ? 0 : littleEndian32(info + 32);
    if (!isReadable(bits, planes, compression) || width <= 0 || height == 0 || height == INT_MIN)
        return judged(check, PictureVerdict::NotAPicture);
    const std::int64_t rows = height < 0 ? -height : height;
    check.header.width = static_cast<int>(width);
    check.header.height = static_cast<int>(rows);
    if (!withinMemoryLimit(check, box))
        return check;

    // Between the headers and the pixels: a colour table, or the three colour masks of an old
    // header with bit fields. The pixels start after them, or later where the header says so.
    std::uint64_t tableBytes = 0;
    if (bits <= 8) {
        const std::uint64_t entries = colours ? colours : 1u << bits;
        if (entries > 256)
            return judged(check, PictureVerdict::NotAPicture);
        tableBytes = entries * (oldHeader ? 3 : 4);
    } else if (compression == kBitFields && infoSize < 108) {
        tableBytes = 12;
    }
    const std::uint64_t pixelStart = std::max<std::uint64_t>(dataOffset, in.offset() + tableBytes);
    if (!in.skip(pixelStart - in.offset()))
        return judged(check, PictureVerdict::CutOff);
    bool whole;
    if (compression == kRle8 || compression == kRle4) {
        whole = runsReachTheEnd(in, static_cast<int>(rows), compression == kRle4);
    } else {
        const std::uint64_t rowBytes = (std::uint64_t(width) * bits + 31) / 32 * 4;
        whole = in.skip(sizeProduct({rowBytes, std::uint64_t(rows)}));
    }
    return judged(check, whole ? PictureVerdict::Decodable : PictureVerdict::CutOff);
}

} // namespace tessaloom
