#pragma once

// The working memory a decode may take, judged from a picture file's header before the decode.
#include "platform/picture_files/picture_check.h"

#include <cstdint>
#include <initializer_list>
#include <limits>

namespace tessaloom {

// Sizes worked out from a file's header never wrap round: a product or sum past what 64 bits
// hold stays at the largest value, which is over every limit.
inline std::uint64_t sizeProduct(std::initializer_list<std::uint64_t> factors)
{
    std::uint64_t result = 1;
    for (std::uint64_t factor : factors)
        if (__builtin_mul_overflow(result, factor, &result))
            return std::numeric_limits<std::uint64_t>::max();
    return result;
}

inline std::uint64_t sizeSum(std::initializer_list<std::uint64_t> terms)
{
    std::uint64_t result = 0;
    for (std::uint64_t term : terms)
        if (__builtin_add_overflow(result, term, &result))
            return std::numeric_limits<std::uint64_t>::max();
    return result;
}

// The decoder does not take more than this.
inline constexpr std::uint64_t kDecodeMemoryLimit = 256ull * 1024 * 1024;

// libheif judges each side of every picture in a file by itself, the budget the area of the one
// decoded: no side past this is taken, which still leaves room for panoramas within the budget.
inline constexpr int kHeifLongestSide = 16384;

// The bytes a decode of the picture to the box needs at its peak, from the header alone.
std::uint64_t decodeWorkingMemory(const PictureHeader& header, PixelSize box);

// Once the header is read: sets the working memory, and the verdict TooLarge when it is over
// the limit (then false, and the rest of the file need not be read).
bool withinMemoryLimit(PictureCheck& check, PixelSize box);

} // namespace tessaloom
