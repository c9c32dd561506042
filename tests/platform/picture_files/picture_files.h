#pragma once

// Picture files built byte by byte: only their structure, which is what the checks read.
#include "platform/picture_files/picture_bytes.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
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

// EXIF data holding one entry, the orientation (a SHORT): a TIFF structure, after the "Exif"
// prefix of a JPEG's APP1 segment where asked for.
inline Bytes exifData(int orientation, bool littleEndian, bool prefix = true)
{
    const std::uint8_t order = littleEndian ? 'I' : 'M';
    Bytes exif{'E', 'x', 'i', 'f', 0, 0, order, order};
    put(exif, {{42, 2}, {8, 4}, {1, 2}, {0x0112, 2}, {3, 2}, {1, 4}, {orientation, 2}, {0, 2}, {0, 4}}, !littleEndian);
    return prefix ? exif : Bytes(exif.begin() + 6, exif.end());
}

inline Bytes exifSegment(int orientation, bool littleEndian)
{
    Bytes segment;
    appendMarkerSegment(segment, 0xE1, exifData(orientation, littleEndian));
    return segment;
}

// A chunk of a PNG (its CRC left 0, which the checks do not read) or of a RIFF container.
inline void appendChunk(Bytes& to, const char* type, const Bytes& data, bool riff = false)
{
    if (!riff)
        put(to, {{data.size(), 4}}, true);
    append(to, Bytes(type, type + 4));
    if (riff)
        put(to, {{data.size(), 4}});
    append(to, data);
    put(to, {{0, riff ? data.size() % 2 : 4}});
}

struct PngLayout {
    std::uint64_t width = 4;
    std::uint64_t height = 3;
    int depth = 8;
    int colourType = 2; // RGB
    int interlace = 0;
    std::size_t dataBytes = 40;
    Bytes exif{}; // an eXIf chunk, after the image data where asked for
    bool exifAfterData = false;
};

inline Bytes pngFile(const PngLayout& layout)
{
    Bytes file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, header;
    put(header, {{layout.width, 4}, {layout.height, 4}}, true);
    put(header, {{layout.depth, 1}, {layout.colourType, 1}, {0, 2}, {layout.interlace, 1}});
    appendChunk(file, "IHDR", header);
    if (!layout.exif.empty() && !layout.exifAfterData)
        appendChunk(file, "eXIf", layout.exif);
    appendChunk(file, "IDAT", Bytes(layout.dataBytes / 2, 0x78));
    appendChunk(file, "IDAT", Bytes(layout.dataBytes - layout.dataBytes / 2, 0x9C));
    if (!layout.exif.empty() && layout.exifAfterData)
        appendChunk(file, "eXIf", layout.exif);
    appendChunk(file, "IEND", {});
    return file;
}

// A lossy (VP8) or lossless (VP8L) bitstream's chunk: its header, then filler.
inline void appendWebpBitstream(Bytes& to, std::uint64_t width, std::uint64_t height, bool lossless, std::size_t bytes)
{
    Bytes data;
    if (lossless) {
        data.push_back(0x2F);
        put(data, {{(width - 1) | (height - 1) << 14, 4}});
    } else { // a key frame shown, its first partition half the data
        put(data, {{0x10 | (bytes - 10) / 2 << 5, 3}, {0x2A019D, 3}, {width, 2}, {height, 2}});
    }
    data.resize(std::max(bytes, data.size()), 0x55);
    appendChunk(to, lossless ? "VP8L" : "VP8 ", data, true);
}

struct WebpLayout {
    std::uint64_t width = 4;
    std::uint64_t height = 3;
    bool lossless = false;
    int frames = 0; // an animation of that many frames, the whole canvas each
    Bytes exif{};   // after the image data, as writers put it
    std::size_t dataBytes = 64;
    Bytes bitstream{}; // a real encoder's chunks in place of a made-up bitstream
};

inline Bytes webpFile(const WebpLayout& layout)
{
    Bytes chunks{'W', 'E', 'B', 'P'}, extended;
    if (layout.frames > 0 || !layout.exif.empty()) { // the extended header, VP8X
        const int flags = (layout.frames > 0 ? 0x02 : 0) | (layout.exif.empty() ? 0 : 0x08);
        put(extended, {{flags, 4}, {layout.width - 1, 3}, {layout.height - 1, 3}});
        appendChunk(chunks, "VP8X", extended, true);
    }
    append(chunks, layout.bitstream);
    if (layout.frames == 0 && layout.bitstream.empty())
        appendWebpBitstream(chunks, layout.width, layout.height, layout.lossless, layout.dataBytes);
    for (int f = 0; f < layout.frames; ++f) {
        Bytes frame;
        put(frame, {{0, 6}, {layout.width - 1, 3}, {layout.height - 1, 3}, {100, 3}, {0, 1}});
        appendWebpBitstream(frame, layout.width, layout.height, layout.lossless, layout.dataBytes);
        appendChunk(chunks, "ANMF", frame, true);
    }
    if (!layout.exif.empty())
        appendChunk(chunks, "EXIF", layout.exif, true);
    Bytes riff;
    appendChunk(riff, "RIFF", chunks, true);
    return riff;
}

struct HeifLayout {
    std::uint64_t width = 64;
    std::uint64_t height = 48;
    const char* brand = "heic";
    const char* coding = "hvc1"; // its configuration: 4:2:0, 8-bit
    int tiles = 0;               // a grid of that many coded tiles, else one coded picture
    int rotation = 0;            // quarter turns anticlockwise (irot)
    std::size_t dataBytes = 100; // of each coded item
};

inline Bytes box(const char* type, const Bytes& contents, int version = -1)
{
    Bytes made;
    put(made, {{contents.size() + 8 + (version >= 0 ? 4 : 0), 4}}, true);
    append(made, Bytes(type, type + 4));
    if (version >= 0)
        put(made, {{std::uint64_t(version) << 24, 4}}, true);
    append(made, contents);
    return made;
}

// ftyp; meta with the primary item 1 (coded, or a grid of coded items 2, 3...), where each
// coded item's data lies, and the properties: the size, the coding, a rotation; then mdat.
inline Bytes heifFile(const HeifLayout& layout)
{
    const bool avif = std::string_view(layout.coding) == "av01";
    const int coded = std::max(layout.tiles, 1);
    const auto meta = [&](std::uint64_t dataStart) {
        Bytes handler{0, 0, 0, 0, 'p', 'i', 'c', 't'}, primary, infos, locations, properties, associations, references;
        handler.resize(21, 0);
        put(primary, {{1, 2}}, true);
        put(infos, {{coded + (layout.tiles > 0), 2}}, true);
        put(locations, {{0x4400, 2}, {coded, 2}}, true);
        for (int item = 1; item <= coded + (layout.tiles > 0); ++item) {
            const bool isGrid = layout.tiles > 0 && item == 1;
            const char* type = isGrid ? "grid" : layout.coding;
            Bytes info{0, std::uint8_t(item), 0, 0}; // the item, unprotected
            append(info, Bytes(type, type + 5));     // its type and an empty name
            append(infos, box("infe", info, 2));
            if (!isGrid)
                put(locations, {{std::uint64_t(item), 2}, {0, 2}, {1, 2}, {dataStart, 4}, {layout.dataBytes, 4}}, true);
            dataStart += isGrid ? 0 : layout.dataBytes;
        }
        Bytes size, configuration(avif ? 4 : 23, 0), turn{std::uint8_t(layout.rotation)};
        put(size, {{layout.width, 4}, {layout.height, 4}}, true);
        configuration[avif ? 2 : 16] = avif ? 0x0C : 1; // 4:2:0
        append(properties, box("ispe", size, 0));
        append(properties, box(avif ? "av1C" : "hvcC", configuration));
        append(properties, box("irot", turn));
        put(associations, {{std::uint64_t(coded + (layout.tiles > 0)), 4}}, true);
        for (int item = 1; item <= coded + (layout.tiles > 0); ++item)
            put(associations, {{std::uint64_t(item), 2}, {3, 1}, {0x81, 1}, {0x82, 1}, {0x83, 1}}, true);
        put(references, {{1, 2}, {std::uint64_t(layout.tiles), 2}}, true);
        for (int tile = 2; tile <= layout.tiles + 1; ++tile)
            put(references, {{std::uint64_t(tile), 2}}, true);
        Bytes contents = box("hdlr", handler, 0), itemProperties = box("ipco", properties);
        append(itemProperties, box("ipma", associations, 0));
        for (const Bytes& child :
             {box("pitm", primary, 0), box("iinf", infos, 0), box("iloc", locations, 0), box("iprp", itemProperties)})
            append(contents, child);
        if (layout.tiles > 0)
            append(contents, box("iref", box("dimg", references), 0));
        return box("meta", contents, 0);
    };
    Bytes brands(layout.brand, layout.brand + 4), file;
    append(brands, {0, 0, 0, 0, 'm', 'i', 'f', '1'});
    append(file, box("ftyp", brands));
    const std::uint64_t dataStart = file.size() + meta(0).size() + 8;
    append(file, meta(dataStart));
    append(file, box("mdat", Bytes(layout.dataBytes * coded, 0x42)));
    return file;
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
    put(file, {{54 + table + pixels.size(), 4}, {0, 4}, {54 + table, 4}, {40, 4}});
    put(file, {{std::uint32_t(width), 4}, {std::uint32_t(height), 4}, {1, 2}, {bits, 2}, {compression, 4}});
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
