#pragma once

// The working memory a decode may take, judged from a picture file's header before the decode.
#include "platform/picture_files/picture_check.h"

#include <cstdint>

namespace tessaloom {

// The decoder does not take more than this.
inline constexpr std::uint64_t kDecodeMemoryLimit = 256ull * 1024 * 1024;

// The bytes a decode of the picture to the box needs at its peak, from the header alone.
std::uint64_t decodeWorkingMemory(const PictureHeader& header, PixelSize box);

// Once the header is read: sets the working memory, and the verdict TooLarge when it is over
// the limit (then false, and the rest of the file need not be read).
bool withinMemoryLimit(PictureCheck& check, PixelSize box);

} // namespace tessaloom
