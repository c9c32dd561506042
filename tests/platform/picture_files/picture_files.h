#pragma once

// Picture files built byte by byte: only their structure, which is what the checks read.
#include "platform/picture_files/picture_bytes.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tessaloom::testing {

using Bytes = std::vector<std::uint8_t>;

inline void append(Bytes& to, const Bytes& bytes)
{
    to.insert(to.end(), bytes.begin(), bytes.end());
}

// Appends numbers, each in the given number of bytes, least significant first unless big-endian.
inline void put(Bytes& to, std::initializer_list<std::pair<std::uint64_t, int>> numbers, bool bigEndian = false)
{
    for (const auto& [value, bytes] : numbers)
        for (int i = 0; i < bytes; ++i)
            to.push_back(std::uint8_t(value >> 8 * (bigEndian ? bytes - 1 - i : i)));
}

inline void appendMarkerSegment(Bytes& to, std::uint8_t marker, const Bytes& payload)
{
    put(to, {{0xFF, 1}, {marker, 1}, {payload.size() + 2, 2}}, true);
    append(to, payload);
}

// An APP1 segment whose EXIF data holds one entry, the orientation (a SHORT).
inline Bytes exifSegment(int orientation, bool littleEndian)
{
    const std::uint8_t order = littleEndian ? 'I' : 'M';
    Bytes exif{'E', 'x', 'i', 'f', 0, 0, order, order}, segment;
    put(exif, {{42, 2}, {8, 4}, {1, 2}, {0x0112, 2}, {3, 2}, {1, 4}, {orientation, 2}, {0, 2}, {0, 4}}, !littleEndian);
    appendMarkerSegment(segment, 0xE1, exif);
    return segment;
}

struct JpegLayout {
    int width = 64;
    int height = 48;
    std::uint8_t frame = 0xC0;        // baseline; 0xC2 progressive
    Bytes sampling{0x22, 0x11, 0x11}; // one byte a component: horizontal and vertical factor
    std::size_t firstScanComponents = 3;
    std::size_t scanBytes = 2000;
};

// SOI, a table, the frame header, one scan of data (with stuffed bytes and a restart
// marker in it), EOI.
inline Bytes jpegFile(const JpegLayout& layout)
{
    Bytes file{0xFF, 0xD8}, frame{8}, scan{std::uint8_t(layout.firstScanComponents)};
    appendMarkerSegment(file, 0xDB, Bytes(65, 1));
    put(frame, {{layout.height, 2}, {layout.width, 2}, {layout.sampling.size(), 1}}, true);
    for (std::size_t c = 0; c < layout.sampling.size(); ++c)
        append(frame, {std::uint8_t(c + 1), layout.sampling[c], 0});
    appendMarkerSegment(file, layout.frame, frame);
    for (std::size_t c = 0; c < layout.firstScanComponents; ++c)
        append(scan, {std::uint8_t(c + 1), 0});
    append(scan, {0, 63, 0});
    appendMarkerSegment(file, 0xDA, scan);
    for (std::size_t i = 0; i < layout.scanBytes; ++i) {
        const std::uint8_t byte = std::uint8_t(i * 37 + 11);
        append(file, byte == 0xFF ? Bytes{0xFF, 0x00} : Bytes{byte}); // a 0xFF data byte is stuffed
        if (i == layout.scanBytes / 2)
            append(file, {0xFF, 0xD0}); // a restart marker
    }
    append(file, {0xFF, 0xD9});
    return file;
}

// A GIF of one image: a global colour table, a graphic control extension, the image's data in
// two sub-blocks, the trailer.
inline Bytes gifFile(int width = 2, int height = 2)
{
    Bytes file{'G', 'I', 'F', '8', '9', 'a'};
    put(file, {{width, 2}, {height, 2}});
    append(file, {0x80, 0, 0, 0, 0, 0, 255, 255, 255, 0x21, 0xF9, 4, 0, 0, 0, 0, 0, 0x2C, 0, 0, 0, 0});
    put(file, {{width, 2}, {height, 2}});
    append(file, {0, 2, 2, 0x84, 0x8F, 1, 0x51, 0, 0x3B});
    return file;
}

// A BMP with a 40-byte header: 24-bit rows, or 8-bit ones (then run-length coded) after a colour
// table.
inline Bytes bmpFile(int width, int height, int bits, int compression, const Bytes& pixels)
{
    const std::uint32_t table = bits <= 8 ? 4u << bits : 0;
    Bytes file{'B', 'M'};
    put(file,
        {{54 + table + pixels.size(), 4},
         {0, 4},
         {54 + table, 4},
         {40, 4},
         {std::uint32_t(width), 4},
         {std::uint32_t(height), 4},
         {1, 2},
         {bits, 2},
         {compression, 4}});
    append(file, Bytes(20 + table, 0));
    append(file, pixels);
    return file;
}

struct MemoryBytes final : PictureBytes {
    explicit MemoryBytes(Bytes bytes)
        : bytes(std::move(bytes))
    {
    }
    std::uint64_t size() const override { return bytes.size(); }
    std::size_t read(std::uint64_t offset, std::uint8_t* into, std::size_t count) override
    {
        const std::size_t n = offset < bytes.size() ? std::min<std::uint64_t>(count, bytes.size() - offset) : 0;
        std::copy_n(bytes.begin() + std::ptrdiff_t(offset), n, into);
        return n;
    }
    Bytes bytes;
};

} // namespace tessaloom::testing
