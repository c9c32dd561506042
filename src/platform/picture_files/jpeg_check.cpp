// A JPEG is whole when its markers lead through a frame header and its scans to the
// end-of-image marker; what follows that marker (a motion photo's video) is never read.
#include "platform/picture_files/decode_budget.h"

namespace tessaloom {

namespace {

constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kApp1 = 0xE1;

bool isRestart(std::uint8_t marker)
{
    return marker >= 0xD0 && marker <= 0xD7;
}

// The frame headers the decoder reads: baseline, extended, progressive, and the same with
// arithmetic coding. Lossless and hierarchical frames it refuses.
bool isReadableFrame(std::uint8_t marker)
{
    return marker == 0xC0 || marker == 0xC1 || marker == 0xC2 || marker == 0xC9 || marker == 0xCA;
}

bool isOtherFrame(std::uint8_t marker)
{
    return marker == 0xC3 || (marker >= 0xC5 && marker <= 0xC7) || marker == 0xCB || (marker >= 0xCD && marker <= 0xCF);
}

// At a 0xFF byte: takes it and the fill bytes after it, and reads the code that follows (0x00
// for a stuffed data byte).
bool takeMarkerCode(ByteCursor& in, std::uint8_t& code)
{
    std::uint8_t byte;
    in.next(byte);
    do {
        if (!in.next(code))
            return false;
    } while (code == 0xFF);
    return true;
}

// The next marker code. Stray bytes before it are passed over as the decoder passes them.
bool nextMarker(ByteCursor& in, std::uint8_t& marker)
{
    for (;;) {
        if (!in.seekByte(0xFF) || !takeMarkerCode(in, marker))
            return false;
        if (marker != 0x00)
            return true;
    }
}

// Passes over a scan's entropy-coded data, counting its bytes, up to the marker that ends it.
bool skipScanData(ByteCursor& in, std::uint8_t& marker, std::uint64_t& dataBytes)
{
    for (;;) {
        const std::uint64_t start = in.offset();
        if (!in.seekByte(0xFF))
            return false;
        dataBytes += in.offset() - start;
        if (!takeMarkerCode(in, marker))
            return false;
        if (marker == 0x00)
            ++dataBytes; // a stuffed 0xFF data byte
        else if (!isRestart(marker))
            return true;
    }
}

bool readFrame(const std::vector<std::uint8_t>& segment, std::uint8_t marker, PictureHeader& header)
{
    if (segment.size() < 6)
        return false;
    const int precision = segment[0];
    header.height = static_cast<int>(bigEndian16(&segment[1]));
    header.width = static_cast<int>(bigEndian16(&segment[3]));
    const std::size_t count = segment[5];
    // Height 0 (given later in the file) and 12-bit samples the decoder does not read.
    if (precision != 8 || header.width == 0 || header.height == 0 || (count != 1 && count != 3 && count != 4) ||
        segment.size() < 6 + 3 * count)
        return false;
    header.components.clear();
    for (std::size_t c = 0; c < count; ++c) {
        const std::uint8_t sampling = segment[6 + 3 * c + 1];
        const JpegComponent component{sampling >> 4, sampling & 0x0F};
        if (component.horizontal < 1 || component.horizontal > 4 || component.vertical < 1 || component.vertical > 4)
            return false;
        header.components.push_back(component);
    }
    header.arithmeticCoded = marker >= 0xC9;
    header.buffersWholePicture = marker == 0xC2 || marker == 0xCA;
    return true;
}

// Every block of every component takes at least one bit in a Huffman-coded file, so scans
// holding fewer bytes than that were cut off and padded with an end marker.
bool scansHoldEveryBlock(const PictureHeader& header, std::uint64_t dataBytes)
{
    if (header.arithmeticCoded)
        return true;
    const JpegComponent mcu = largestSampling(header.components);
    std::uint64_t blocks = 0;
    for (const JpegComponent& component : header.components) {
        const std::uint64_t width =
            (std::uint64_t(header.width) * component.horizontal + mcu.horizontal - 1) / mcu.horizontal;
        const std::uint64_t height =
            (std::uint64_t(header.height) * component.vertical + mcu.vertical - 1) / mcu.vertical;
        blocks = sizeSum({blocks, sizeProduct({(width + 7) / 8, (height + 7) / 8})});
    }
    return sizeProduct({dataBytes, 8}) >= blocks;
}

} // namespace

PictureCheck checkJpeg(ByteCursor& in, PixelSize box)
{
    PictureCheck check;
    check.header.format = PictureFormat::Jpeg;
    bool frameSeen = false;
    bool scanSeen = false;
    bool orientationSeen = false;
    std::uint64_t dataBytes = 0;
    std::uint8_t marker = 0;
    bool markerRead = false; // a scan ended at the marker that follows it
    for (;;) {
        if (!markerRead && !nextMarker(in, marker))
            return judged(check, PictureVerdict::CutOff);
        markerRead = false;
        if (marker == kEndOfImage) {
            if (!scanSeen)
                return judged(check, PictureVerdict::NotAPicture);
            const bool whole = scansHoldEveryBlock(check.header, dataBytes);
            return judged(check, whole ? PictureVerdict::Decodable : PictureVerdict::CutOff);
        }
        if (marker == kStartOfImage || isOtherFrame(marker))
            return judged(check, PictureVerdict::NotAPicture);
        if (isRestart(marker) || marker == 0x01)
            continue; // markers without a segment

        std::uint8_t lengthBytes[2];
        if (!in.read(lengthBytes, sizeof lengthBytes))
            return judged(check, PictureVerdict::CutOff);
        const unsigned length = bigEndian16(lengthBytes);
        if (length < 2)
            return judged(check, PictureVerdict::NotAPicture);
        const bool wanted = isReadableFrame(marker) || marker == kStartOfScan || (marker == kApp1 && !orientationSeen);
        if (!wanted) {
            if (!in.skip(length - 2))
                return judged(check, PictureVerdict::CutOff);
            continue;
        }
        std::vector<std::uint8_t> segment(length - 2);
        if (!in.read(segment.data(), segment.size()))
            return judged(check, PictureVerdict::CutOff);

        if (marker == kApp1) {
            check.header.orientation = exifOrientation(segment.data(), segment.size());
            orientationSeen = check.header.orientation != 1;
            // An orientation after the first scan still turns the box the decoder is given.
            if (scanSeen && orientationSeen && !withinMemoryLimit(check, box))
                return check;
        } else if (marker != kStartOfScan) {
            if (frameSeen || !readFrame(segment, marker, check.header))
                return judged(check, PictureVerdict::NotAPicture);
            frameSeen = true;
        } else {
            const std::size_t inScan = segment.empty() ? 0 : segment[0];
            if (!frameSeen || inScan < 1 || inScan > check.header.components.size() ||
                segment.size() < 1 + 2 * inScan + 3)
                return judged(check, PictureVerdict::NotAPicture);
            if (!scanSeen) {
                if (inScan < check.header.components.size())
                    check.header.buffersWholePicture = true;
                if (!withinMemoryLimit(check, box))
                    return check;
            }
            scanSeen = true;
            if (!skipScanData(in, marker, dataBytes))
                return judged(check, PictureVerdict::CutOff);
            markerRead = true;
        }
    }
}

} // namespace tessaloom
