// A PNG is whole when its chunks, each inside the file, lead from the header through image data
// to the end chunk; what follows that chunk is never read.
#include "platform/picture_files/decode_budget.h"

#include <cstring>

namespace tessaloom {

namespace {

// The bit depths the format allows for each colour type: grey, RGB, palette, grey and alpha, RGBA.
bool isValidDepth(int colourType, int depth)
{
    switch (colourType) {
    case 0:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6:
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

int channels(int colourType)
{
    static constexpr int kChannels[] = {1, 0, 3, 1, 2, 0, 4};
    return kChannels[colourType];
}

// Deflate packs at most 258 bytes into about two bits, so image data fewer than this many times
// smaller than the rows it stands for was cut off.
constexpr std::uint64_t kMostDeflated = 1032;

bool dataHoldsEveryRow(const PictureHeader& header, std::uint64_t dataBytes)
{
    const std::uint64_t rowBits = sizeProduct(
        {std::uint64_t(header.width), std::uint64_t(channels(header.colourType)), std::uint64_t(header.bitDepth)});
    // Each row: its filter byte and its samples.
    const std::uint64_t rows =
        sizeProduct({std::uint64_t(header.height), sizeSum({1, rowBits / 8 + (rowBits % 8 != 0)})});
    return sizeProduct({dataBytes, kMostDeflated}) >= rows;
}

} // namespace

PictureCheck checkPng(ByteCursor& in, PixelSize box)
{
    static constexpr std::uint8_t kRestOfSignature[6] = {'N', 'G', '\r', '\n', 0x1A, '\n'};
    constexpr std::uint64_t kLongestChunk = 0x7FFFFFFF;
    constexpr std::size_t kLongestExif = 1 << 20;
    PictureCheck check;
    check.header.format = PictureFormat::Png;
    std::uint8_t signature[6];
    std::uint8_t chunk[8];
    std::uint8_t header[13];
    if (!in.read(signature, sizeof signature) || std::memcmp(signature, kRestOfSignature, sizeof signature) != 0)
        return judged(check, PictureVerdict::NotAPicture);
    if (!in.read(chunk, sizeof chunk))
        return judged(check, PictureVerdict::CutOff);
    if (bigEndian32(chunk) != sizeof header || bigEndian32(chunk + 4) != fourCc("IHDR"))
        return judged(check, PictureVerdict::NotAPicture);
    if (!in.read(header, sizeof header) || !in.skip(4))
        return judged(check, PictureVerdict::CutOff);
    const std::uint32_t width = bigEndian32(header);
    const std::uint32_t height = bigEndian32(header + 4);
    check.header.bitDepth = header[8];
    check.header.colourType = header[9];
    check.header.interlaced = header[12] == 1;
    if (width == 0 || height == 0 || width > kLongestChunk || height > kLongestChunk ||
        !isValidDepth(header[9], header[8]) || header[10] != 0 || header[11] != 0 || header[12] > 1)
        return judged(check, PictureVerdict::NotAPicture);
    check.header.width = static_cast<int>(width);
    check.header.height = static_cast<int>(height);
    if (!withinMemoryLimit(check, box))
        return check;

    std::uint64_t dataBytes = 0;
    for (;;) {
        if (!in.read(chunk, sizeof chunk))
            return judged(check, PictureVerdict::CutOff);
        const std::uint32_t length = bigEndian32(chunk);
        const std::uint32_t type = bigEndian32(chunk + 4);
        if (length > kLongestChunk)
            return judged(check, PictureVerdict::NotAPicture);
        if (type == fourCc("eXIf") && length <= kLongestExif) {
            std::vector<std::uint8_t> exif(length);
            if (!in.read(exif.data(), exif.size()))
                return judged(check, PictureVerdict::CutOff);
            check.header.orientation = exifOrientationOfData(exif.data(), exif.size());
            if (!withinMemoryLimit(check, box))
                return check;
        } else if (!in.skip(length)) {
            return judged(check, PictureVerdict::CutOff);
        }
        if (!in.skip(4)) // the chunk's CRC
            return judged(check, PictureVerdict::CutOff);
        if (type == fourCc("IDAT"))
            dataBytes += length;
        if (type == fourCc("IEND")) {
            if (dataBytes == 0)
                return judged(check, PictureVerdict::NotAPicture);
            return judged(
                check, dataHoldsEveryRow(check.header, dataBytes) ? PictureVerdict::Decodable : PictureVerdict::CutOff);
        }
    }
}

} // namespace tessaloom
