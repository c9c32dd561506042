#include "settings/text_encoding.h"

#include <cstring>

namespace tessaloom {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool isHighSurrogate(char16_t u)
{
    return u >= 0xD800 && u <= 0xDBFF;
}

bool isLowSurrogate(char16_t u)
{
    return u >= 0xDC00 && u <= 0xDFFF;
}

// The length of the UTF-8 sequence a byte starts; 0 for a byte that starts none.
int sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead < 0xE0)
        return 2;
    if (lead >= 0xE0 && lead < 0xF0)
        return 3;
    if (lead >= 0xF0 && lead < 0xF5)
        return 4;
    return 0;
}

struct Decoded {
    char32_t c = 0;
    int length = 0; // 0 when the bytes at that place are no character
};

Decoded decodeAt(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = sequenceLength(lead);
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
        if ((next & 0xC0) != 0x80)
            return {};
        c = c << 6 | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    if (length == 0 || (length == 3 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) ||
        (length == 4 && (c < 0x10000 || c > 0x10FFFF)))
        return {};
    return {c, length};
}

// The characters Windows-1252 puts where Latin-1 has control codes; the five it leaves unused
// keep their Latin-1 meaning, as Windows converts them.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Calls f with each UTF-16 unit of a text, in order.
template <class F>
void forEachUtf16Unit(std::string_view text, F&& f)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const Decoded d = decodeAt(text, i);
        if (d.length == 0) {
            f(static_cast<char16_t>(kReplacement));
            ++i;
        } else if (d.c >= 0x10000) {
            f(static_cast<char16_t>(0xD800 + ((d.c - 0x10000) >> 10)));
            f(static_cast<char16_t>(0xDC00 + ((d.c - 0x10000) & 0x3FF)));
            i += static_cast<std::size_t>(d.length);
        } else {
            f(static_cast<char16_t>(d.c));
            i += static_cast<std::size_t>(d.length);
        }
    }
}

// UTF-16 units as UTF-8, pairs of surrogates joined and a lone one replaced.
template <class Unit>
std::string unitsToUtf8(std::size_t count, Unit unit)
{
    std::string out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t u = unit(i);
        if (isHighSurrogate(u) && i + 1 < count && isLowSurrogate(unit(i + 1))) {
            appendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(unit(i + 1)) - 0xDC00));
            ++i;
        } else {
            appendUtf8(out, isHighSurrogate(u) || isLowSurrogate(u) ? kReplacement : char32_t(u));
        }
    }
    return out;
}

} // namespace

std::string utf16ToUtf8(std::u16string_view text)
{
    return unitsToUtf8(text.size(), [&](std::size_t i) { return text[i]; });
}

std::string utf16leToUtf8(const std::uint8_t* bytes, std::size_t size)
{
    std::string out = unitsToUtf8(
        size / 2, [&](std::size_t i) { return static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8); });
    if (size % 2)
        appendUtf8(out, kReplacement);
    return out;
}

std::u16string utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    forEachUtf16Unit(text, [&](char16_t unit) { out.push_back(unit); });
    return out;
}

void appendUtf16le(std::string& out, std::string_view text)
{
    forEachUtf16Unit(text, [&](char16_t unit) {
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>(unit >> 8));
    });
}

std::string validUtf8(std::string text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        std::uint64_t eight = 0x8080808080808080u; // ASCII, eight bytes at a time
        if (i + 8 <= text.size() && (std::memcpy(&eight, text.data() + i, 8), eight & 0x8080808080808080u) == 0) {
            i += 8;
            continue;
        }
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const int length = decodeAt(text, i).length;
        if (length == 0)
            break;
        i += static_cast<std::size_t>(length);
    }
    if (i == text.size())
        return text;
    std::string out = text.substr(0, i);
    while (i < text.size()) {
        const Decoded d = decodeAt(text, i);
        if (d.length > 0) {
            out.append(text, i, static_cast<std::size_t>(d.length));
            i += static_cast<std::size_t>(d.length);
            continue;
        }
        const auto byte = static_cast<unsigned char>(text[i++]);
        appendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte);
    }
    return out;
}

} // namespace tessaloom
