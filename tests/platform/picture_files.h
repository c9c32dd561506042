#pragma once

// Picture files built byte by byte: only their structure, which is what the checks read.
#include "platform/picture_bytes.h"

#include <cstdint>
#include <vector>

namespace tessaloom::testing {

using Bytes = std::vector<std::uint8_t>;

inline void append(Bytes& to, const Bytes& bytes)
{
    to.insert(to.end(), bytes.begin(), bytes.end());
}

inline void appendMarkerSegment(Bytes& to, std::uint8_t marker, const Bytes& payload)
{
    const std::size_t length = payload.size() + 2;
    append(to, {0xFF, marker, std::uint8_t(length >> 8), std::uint8_t(length)});
    append(to, payload);
}

// An APP1 segment whose EXIF data holds one entry, the orientation.
inline Bytes exifSegment(int orientation, bool littleEndian)
{
    const auto u16 = [&](unsigned v) {
        return littleEndian ? Bytes{std::uint8_t(v), std::uint8_t(v >> 8)} : Bytes{std::uint8_t(v >> 8), std::uint8_t(v)};
    };
    Bytes exif{'E', 'x', 'i', 'f', 0, 0};
    append(exif, littleEndian ? Bytes{'I', 'I', 42, 0, 8, 0, 0, 0} : Bytes{'M', 'M', 0, 42, 0, 0, 0, 8});
    append(exif, u16(1));  // one entry: tag, type SHORT, count 1, value
    append(exif, u16(0x0112));
    append(exif, u16(3));
    append(exif, littleEndian ? Bytes{1, 0, 0, 0} : Bytes{0, 0, 0, 1});
    append(exif, u16(orientation));
    append(exif, {0, 0, 0, 0, 0, 0});
    Bytes segment;
    appendMarkerSegment(segment, 0xE1, exif);
    return segment;
}

struct JpegLayout {
    int width = 64;
    int height = 48;
    std::uint8_t frame = 0xC0;  // baseline; 0xC2 progressive
    Bytes sampling{0x22, 0x11, 0x11};  // one byte a component: horizontal and vertical factor
    std::size_t firstScanComponents = 3;
    std::size_t scanBytes = 2000;
    int orientation = 0;  // no EXIF data
};

// SOI, EXIF, a table, the frame header, one scan of data (with stuffed bytes and a restart
// marker in it), EOI.
inline Bytes jpegFile(const JpegLayout& layout)
{
    Bytes file{0xFF, 0xD8};
    if (layout.orientation)
        append(file, exifSegment(layout.orientation, true));
    appendMarkerSegment(file, 0xDB, Bytes(65, 1));
    Bytes frame{8, std::uint8_t(layout.height >> 8), std::uint8_t(layout.height), std::uint8_t(layout.width >> 8),
                std::uint8_t(layout.width), std::uint8_t(layout.sampling.size())};
    for (std::size_t c = 0; c < layout.sampling.size(); ++c)
        append(frame, {std::uint8_t(c + 1), layout.sampling[c], 0});
    appendMarkerSegment(file, layout.frame, frame);
    Bytes scan{std::uint8_t(layout.firstScanComponents)};
    for (std::size_t c = 0; c < layout.firstScanComponents; ++c)
        append(scan, {std::uint8_t(c + 1), 0});
    append(scan, {0, 63, 0});
    appendMarkerSegment(file, 0xDA, scan);
    for (std::size_t i = 0; i < layout.scanBytes; ++i) {
        const std::uint8_t byte = std::uint8_t(i * 37 + 11);
        file.push_back(byte);
        if (byte == 0xFF)
            file.push_back(0x00);
        if (i == layout.scanBytes / 2)
            append(file, {0xFF, 0xD0});
    }
    append(file, {0xFF, 0xD9});
    return file;
}

// A GIF of one image: a global colour table, a graphic control extension, the image's data in
// two sub-blocks, the trailer.
inline Bytes gifFile(int width = 2, int height = 2)
{
    Bytes file{'G', 'I', 'F', '8', '9', 'a', std::uint8_t(width), std::uint8_t(width >> 8), std::uint8_t(height),
               std::uint8_t(height >> 8), 0x80, 0, 0};
    append(file, {0, 0, 0, 255, 255, 255});
    append(file, {0x21, 0xF9, 4, 0, 0, 0, 0, 0});
    append(file, {0x2C, 0, 0, 0, 0, std::uint8_t(width), std::uint8_t(width >> 8), std::uint8_t(height),
                  std::uint8_t(height >> 8), 0, 2});
    append(file, {2, 0x84, 0x8F, 1, 0x51, 0});
    file.push_back(0x3B);
    return file;
}

// A BMP with a 40-byte header: 24-bit rows, or 8-bit run-length coded ones after a colour table.
inline Bytes bmpFile(int width, int height, std::uint16_t bits, std::uint32_t compression, const Bytes& pixels)
{
    const std::uint32_t table = bits <= 8 ? 4u << bits : 0;
    const std::uint32_t offset = 14 + 40 + table;
    const auto u32 = [](std::uint32_t v) {
        return Bytes{std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
    };
    Bytes file{'B', 'M'};
    append(file, u32(offset + std::uint32_t(pixels.size())));
    append(file, u32(0));
    append(file, u32(offset));
    append(file, u32(40));
    append(file, u32(std::uint32_t(width)));
    append(file, u32(std::uint32_t(height)));
    append(file, {1, 0, std::uint8_t(bits), 0});
    append(file, u32(compression));
    append(file, Bytes(20, 0));
    append(file, Bytes(table, 0x40));
    append(file, pixels);
    return file;
}

class MemoryBytes final : public PictureBytes {
public:
    explicit MemoryBytes(const Bytes& bytes)
        : bytes_(bytes)
    {
    }
    std::uint64_t size() const override { return bytes_.size(); }
    std::size_t read(std::uint64_t offset, std::uint8_t* into, std::size_t count) override
    {
        std::size_t n = 0;
        for (; n < count && offset + n < bytes_.size(); ++n)
            into[n] = bytes_[offset + n];
        return n;
    }

private:
    const Bytes& bytes_;
};

} // namespace tessaloom::testing
