// A WebP is whole when the RIFF container it announces lies inside the file, with a bitstream of
// the picture's size in it (in every frame of an animation); what follows the container is never
// read.
#include "platform/picture_files/decode_budget.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace tessaloom {

namespace {

bool isChunk(const std::uint8_t* fourCc, const char (&name)[5])
{
    return std::memcmp(fourCc, name, 4) == 0;
}

struct Bitstream {
    int width = 0;
    int height = 0;
    bool lossless = false;
    bool alpha = false;
};

// The size in the header of a lossy ('VP8 ') or lossless ('VP8L') bitstream; false for one the
// decoder refuses. A lossy bitstream's first partition must lie inside its chunk.
std::optional<Bitstream> readBitstream(ByteCursor& in, const std::uint8_t* fourCc, std::uint32_t size, bool& cutOff)
{
    std::uint8_t head[10];
    const bool lossy = isChunk(fourCc, "VP8 ");
    const std::size_t headBytes = lossy ? 10 : 5;
    if (size < headBytes)
        return std::nullopt;
    if (!in.read(head, headBytes)) {
        cutOff = true;
        return std::nullopt;
    }
    Bitstream stream;
    if (lossy) {
        const std::uint32_t tag = littleEndian24(head);
        // A key frame, its start code, and sizes without their scaling bits.
        if ((tag & 1) != 0 || head[3] != 0x9D || head[4] != 0x01 || head[5] != 0x2A)
            return std::nullopt;
        stream.width = static_cast<int>(littleEndian16(head + 6) & 0x3FFF);
        stream.height = static_cast<int>(littleEndian16(head + 8) & 0x3FFF);
        if ((tag >> 5) > size - headBytes) {
            cutOff = true;
            return std::nullopt;
        }
    } else {
        const std::uint32_t bits = littleEndian32(head + 1);
        if (head[0] != 0x2F || (bits >> 29) != 0)
            return std::nullopt;
        stream.width = static_cast<int>(bits & 0x3FFF) + 1;
        stream.height = static_cast<int>(bits >> 14 & 0x3FFF) + 1;
        stream.alpha = (bits >> 28 & 1) != 0;
        stream.lossless = true;
    }
    if (stream.width == 0 || stream.height == 0)
        return std::nullopt;
    if (!in.skip(size - headBytes)) {
        cutOff = true;
        return std::nullopt;
    }
    return stream;
}

// The chunks of a frame of an animation: an optional alpha chunk, then its bitstream.
std::optional<Bitstream> readFrame(ByteCursor& in, std::uint64_t end, bool& cutOff)
{
    while (in.offset() + 8 <= end) {
        std::uint8_t chunk[8];
        if (!in.read(chunk, sizeof chunk)) {
            cutOff = true;
            return std::nullopt;
        }
        const std::uint32_t size = littleEndian32(chunk + 4);
        if (size > end - in.offset())
            return std::nullopt;
        if (isChunk(chunk, "VP8 ") || isChunk(chunk, "VP8L"))
            return readBitstream(in, chunk, size, cutOff);
        if (!in.skip(size + (size & 1))) {
            cutOff = true;
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace

PictureCheck checkWebp(ByteCursor& in, PixelSize box)
{
    constexpr std::uint8_t kAlphaFlag = 0x10;
    constexpr std::uint8_t kExifFlag = 0x08;
    constexpr std::uint8_t kAnimationFlag = 0x02;
    constexpr std::size_t kLongestExif = 1 << 20;
    PictureCheck check;
    PictureHeader& header = check.header;
    header.format = PictureFormat::WebP;
    std::uint8_t riff[10];
    std::uint8_t chunk[8];
    if (!in.read(riff, sizeof riff) || riff[0] != 'F' || riff[1] != 'F' || !isChunk(riff + 6, "WEBP"))
        return judged(check, PictureVerdict::NotAPicture);
    const std::uint64_t end = 8 + std::uint64_t(littleEndian32(riff + 2));
    header.heldBytes = end;
    if (end < in.offset() + sizeof chunk)
        return judged(check, PictureVerdict::NotAPicture);
    if (!in.read(chunk, sizeof chunk))
        return judged(check, PictureVerdict::CutOff);
    const std::uint32_t firstSize = littleEndian32(chunk + 4);
    if (firstSize > end - in.offset())
        return judged(check, PictureVerdict::NotAPicture);

    bool cutOff = false;
    std::uint8_t flags = 0;
    if (isChunk(chunk, "VP8X")) {
        std::uint8_t extended[10];
        if (firstSize < sizeof extended)
            return judged(check, PictureVerdict::NotAPicture);
        if (!in.read(extended, sizeof extended) || !in.skip(firstSize - sizeof extended + (firstSize & 1)))
            return judged(check, PictureVerdict::CutOff);
        flags = extended[0];
        header.width = static_cast<int>(littleEndian24(extended + 4)) + 1;
        header.height = static_cast<int>(littleEndian24(extended + 7)) + 1;
        header.alpha = (flags & kAlphaFlag) != 0;
        header.animated = (flags & kAnimationFlag) != 0;
    } else if (isChunk(chunk, "VP8 ") || isChunk(chunk, "VP8L")) {
        // A simple file: the bitstream alone.
        const std::optional<Bitstream> stream = readBitstream(in, chunk, firstSize, cutOff);
        if (!stream)
            return judged(check, cutOff ? PictureVerdict::CutOff : PictureVerdict::NotAPicture);
        header.width = stream->width;
        header.height = stream->height;
        header.alpha = stream->alpha;
        header.lossless = stream->lossless;
        if (!withinMemoryLimit(check, box))
            return check;
        return judged(check, in.skip(end - in.offset()) ? PictureVerdict::Decodable : PictureVerdict::CutOff);
    } else {
        return judged(check, PictureVerdict::NotAPicture);
    }
    if (!withinMemoryLimit(check, box))
        return check;

    // An extended file: its chunks up to the end of the container, with one picture, or the
    // frames of an animation, each inside the canvas.
    bool pictureSeen = false;
    while (in.offset() < end) {
        if (end - in.offset() < sizeof chunk)
            return judged(check, PictureVerdict::NotAPicture);
        if (!in.read(chunk, sizeof chunk))
            return judged(check, PictureVerdict::CutOff);
        const std::uint32_t size = littleEndian32(chunk + 4);
        const std::uint64_t chunkEnd = in.offset() + size + (size & 1);
        if (size > end - in.offset())
            return judged(check, PictureVerdict::NotAPicture);
        std::optional<Bitstream> stream;
        int left = 0;
        int top = 0;
        if (isChunk(chunk, "ANMF") && header.animated) {
            std::uint8_t frame[16];
            if (size < sizeof frame)
                return judged(check, PictureVerdict::NotAPicture);
            if (!in.read(frame, sizeof frame))
                return judged(check, PictureVerdict::CutOff);
            left = 2 * static_cast<int>(littleEndian24(frame));
            top = 2 * static_cast<int>(littleEndian24(frame + 3));
            stream = readFrame(in, in.offset() + size - sizeof frame, cutOff);
            const int width = static_cast<int>(littleEndian24(frame + 6)) + 1;
            const int height = static_cast<int>(littleEndian24(frame + 9)) + 1;
            if (stream && (stream->width != width || stream->height != height))
                stream.reset();
        } else if ((isChunk(chunk, "VP8 ") || isChunk(chunk, "VP8L")) && !header.animated && !pictureSeen) {
            stream = readBitstream(in, chunk, size, cutOff);
            if (stream && (stream->width != header.width || stream->height != header.height))
                stream.reset();
        } else if (isChunk(chunk, "EXIF") && (flags & kExifFlag) && size <= kLongestExif) {
            std::vector<std::uint8_t> exif(size);
            if (!in.read(exif.data(), exif.size()))
                return judged(check, PictureVerdict::CutOff);
            header.orientation = exifOrientationOfData(exif.data(), exif.size());
            if (!withinMemoryLimit(check, box))
                return check;
            if (!in.skip(chunkEnd - in.offset()))
                return judged(check, PictureVerdict::CutOff);
            continue;
        } else if (isChunk(chunk, "VP8 ") || isChunk(chunk, "VP8L") || isChunk(chunk, "ANMF")) {
            return judged(check, PictureVerdict::NotAPicture);
        } else {
            if (!in.skip(chunkEnd - in.offset()))
                return judged(check, PictureVerdict::CutOff);
            continue;
        }
        if (!stream)
            return judged(check, cutOff ? PictureVerdict::CutOff : PictureVerdict::NotAPicture);
        if (left + stream->width > header.width || top + stream->height > header.height)
            return judged(check, PictureVerdict::NotAPicture);
        pictureSeen = true;
        if (stream->lossless && !header.lossless) {
            header.lossless = true;
            if (!withinMemoryLimit(check, box))
                return check;
        }
        if (!in.skip(chunkEnd - std::min(chunkEnd, in.offset())))
            return judged(check, PictureVerdict::CutOff);
    }
    return judged(check, pictureSeen ? PictureVerdict::Decodable : PictureVerdict::NotAPicture);
}

} // namespace tessaloom
