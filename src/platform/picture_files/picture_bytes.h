#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaloom {

// The bytes of a picture file, read by position, so the file is checked through the same handle
// the decoder reads afterwards.
class PictureBytes {
public:
    virtual ~PictureBytes() = default;
    virtual std::uint64_t size() const = 0;
    // Copies up to `count` bytes from `offset` and returns how many there were.
    virtual std::size_t read(std::uint64_t offset, std::uint8_t* into, std::size_t count) = 0;
};

// Reads a picture file front to back through a buffer of its own, never holding more of the
// file than that buffer, however large the file.
class ByteCursor {
public:
    explicit ByteCursor(PictureBytes& file);

    std::uint64_t offset() const { return bufferStart_ + position_; }
    std::uint64_t fileSize() const { return fileSize_; }

    // False at the end of the file (or where the file can no longer be read).
    bool next(std::uint8_t& byte);
    // All `count` bytes, or false when the file ends first.
    bool read(std::uint8_t* into, std::size_t count);
    bool skip(std::uint64_t count);
    // Moves to the next byte equal to `value` without taking it; false when there is none.
    bool seekByte(std::uint8_t value);

private:
    bool fill();

    PictureBytes& file_;
    std::uint64_t fileSize_;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t bufferStart_ = 0;
    std::size_t position_ = 0; // in the buffer
    std::size_t filled_ = 0;
};

// A four-letter code (a chunk or box type) as the big-endian number the file stores.
constexpr std::uint32_t fourCc(const char (&name)[5])
{
    return std::uint32_t(std::uint8_t(name[0])) << 24 | std::uint32_t(std::uint8_t(name[1])) << 16 |
        std::uint32_t(std::uint8_t(name[2])) << 8 | std::uint8_t(name[3]);
}

inline unsigned littleEndian16(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8);
}
inline unsigned bigEndian16(const std::uint8_t* p)
{
    return (p[0] << 8) | p[1];
}
inline std::uint32_t littleEndian24(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (std::uint32_t(p[2]) << 16);
}
inline std::uint32_t littleEndian32(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}
inline std::uint32_t bigEndian32(const std::uint8_t* p)
{
    return (std::uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

} // namespace tessaloom
