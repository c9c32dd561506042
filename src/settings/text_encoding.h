#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaloom {

// Conversions between the UTF-8 the store speaks and the UTF-16 of the registry editor's files
// and the Windows registry. What cannot be converted (a lone surrogate, a stray byte, an odd
// last byte) becomes U+FFFD, so conversion never fails.
std::string utf16ToUtf8(std::u16string_view text);
std::string utf16leToUtf8(const std::uint8_t* bytes, std::size_t size);
std::u16string utf8ToUtf16(std::string_view text);
void appendUtf16le(std::string& out, std::string_view text);
// The text itself when it is UTF-8; otherwise every byte that starts no character is read as
// the Windows-1252 character, as in the files of the registry editor's older form.
std::string validUtf8(std::string text);

} // namespace tessaloom
