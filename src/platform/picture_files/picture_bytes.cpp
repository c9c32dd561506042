#include "platform/picture_files/picture_bytes.h"

#include <algorithm>
#include <cstring>

namespace tessaloom {

namespace {
constexpr std::size_t kBufferBytes = 64 * 1024;
}

ByteCursor::ByteCursor(PictureBytes& file)
    : file_(file)
    , fileSize_(file.size())
    , buffer_(kBufferBytes)
{
}

bool ByteCursor::fill()
{
    bufferStart_ += filled_;
    position_ = 0;
    filled_ = bufferStart_ < fileSize_ ? file_.read(bufferStart_, buffer_.data(), buffer_.size()) : 0;
    return filled_ > 0;
}

bool ByteCursor::next(std::uint8_t& byte)
{
    if (position_ == filled_ && !fill())
        return false;
    byte = buffer_[position_++];
    return true;
}

bool ByteCursor::read(std::uint8_t* into, std::size_t count)
{
    while (count > 0) {
        if (position_ == filled_ && !fill())
            return false;
        const std::size_t part = std::min(count, filled_ - position_);
        std::memcpy(into, buffer_.data() + position_, part);
        position_ += part;
        into += part;
        count -= part;
    }
    return true;
}

bool ByteCursor::skip(std::uint64_t count)
{
    if (count > fileSize_ - offset())
        return false;
    const std::uint64_t target = offset() + count;
    if (target <= bufferStart_ + filled_) {
        position_ = static_cast<std::size_t>(target - bufferStart_);
        return true;
    }
    // Jump over what lies beyond the buffer without reading it.
    bufferStart_ = target;
    position_ = 0;
    filled_ = 0;
    return true;
}

bool ByteCursor::seekByte(std::uint8_t value)
{
    for (;;) {
        if (position_ == filled_ && !fill())
            return false;
        const void* found = std::memchr(buffer_.data() + position_, value, filled_ - position_);
        if (found) {
            position_ = static_cast<const std::uint8_t*>(found) - buffer_.data();
            return true;
        }
        position_ = filled_;
    }
}

} // namespace tessaloom
