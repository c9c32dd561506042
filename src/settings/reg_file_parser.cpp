// Reading a settings file: the store's own form and the registry editor's export form.
#include "settings/reg_file_document.h"

#include "settings/registry.h"
#include "settings/text_encoding.h"

#include <algorithm>

namespace tessaloom {

namespace {

constexpr std::string_view kOwnFormat = "REGEDIT4";
constexpr std::string_view kExportFormat = "Windows Registry Editor Version 5.00";

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexDigitValue(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

std::string_view trimmedLeft(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view trimmedRight(std::string_view s)
{
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool startsWithFolded(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && sameRegistryName(s.substr(0, prefix.size()), prefix);
}

// Turns the file into UTF-8 text: UTF-16LE with a byte-order mark is converted, a UTF-8 mark
// dropped.
void decode(std::string& bytes)
{
    const std::string_view view = bytes;
    if (view.starts_with("\xFF\xFE"))
        bytes = utf16leToUtf8(reinterpret_cast<const std::uint8_t*>(view.data()) + 2, view.size() - 2);
    else if (view.starts_with("\xEF\xBB\xBF"))
        bytes.erase(0, 3);
}

// The lines of a text without their line ends (a carriage return before a line feed, however
// many, belongs to the line end: written back, a line ends in a bare line feed).
std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        while (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// A quoted name or text with its two escapes, \\ and \"; the cursor moves past the closing quote.
std::optional<std::string> takeQuoted(std::string_view& s)
{
    if (s.empty() || s.front() != '"')
        return std::nullopt;
    std::string text;
    std::size_t at = 1;
    for (;;) {
        const std::size_t stop = s.find_first_of("\"\\", at);
        if (stop == std::string_view::npos)
            return std::nullopt;  // no closing quote
        text.append(s.substr(at, stop - at));
        if (s[stop] == '"') {
            s.remove_prefix(stop + 1);
            return text;
        }
        if (stop + 1 == s.size() || (s[stop + 1] != '\\' && s[stop + 1] != '"'))
            return std::nullopt;
        text.push_back(s[stop + 1]);
        at = stop + 2;
    }
}

// One to eight hex digits as a number; the cursor moves past them.
std::optional<std::uint32_t> takeHexNumber(std::string_view& s)
{
    std::size_t length = 0;
    while (length < s.size() && isHexDigit(s[length]))
        ++length;
    if (length == 0 || length > 8)
        return std::nullopt;
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < length; ++i)
        number = number << 4 | static_cast<std::uint32_t>(hexDigitValue(s[i]));
    s.remove_prefix(length);
    return number;
}

// Comma-separated bytes of one or two hex digits; a trailing comma is allowed.
std::optional<std::vector<std::uint8_t>> parseHexBytes(std::string_view s)
{
    std::vector<std::uint8_t> bytes;
    s = trimmedRight(trimmedLeft(s));
    while (!s.empty()) {
        std::size_t length = 0;
        while (length < s.size() && length < 3 && isHexDigit(s[length]))
            ++length;
        if (length == 0 || length > 2)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(length == 1 ? hexDigitValue(s[0])
                                                              : hexDigitValue(s[0]) << 4 | hexDigitValue(s[1])));
        s = trimmedLeft(s.substr(length));
        if (s.empty())
            break;
        if (s.front() != ',')
            return std::nullopt;
        s = trimmedLeft(s.substr(1));
    }
    return bytes;
}

bool isTextKind(std::uint32_t kind)
{
    return kind == kRegSz || kind == kRegExpandSz || kind == kRegMultiSz;
}

// One value line (its continuation lines already joined): "Name"=data or @=data.
std::optional<NamedValue> parseValueLine(std::string_view s, bool utf16Texts)
{
    NamedValue value;
    s = trimmedLeft(s);
    if (!s.empty() && s.front() == '@') {
        s.remove_prefix(1);
    } else if (std::optional<std::string> name = takeQuoted(s)) {
        value.name = std::move(*name);
    } else {
        return std::nullopt;
    }
    s = trimmedLeft(s);
    if (s.empty() || s.front() != '=')
        return std::nullopt;
    s = trimmedLeft(s.substr(1));

    if (std::optional<std::string> text = takeQuoted(s)) {
        if (!trimmedLeft(s).empty())
            return std::nullopt;
        value.value.kind = kRegSz;
        value.value.bytes.assign(text->begin(), text->end());
        value.value.bytes.push_back(0);
        return value;
    }
    if (startsWithFolded(s, "dword:")) {
        s.remove_prefix(6);
        const std::optional<std::uint32_t> number = takeHexNumber(s);
        if (!number || !trimmedLeft(s).empty())
            return std::nullopt;
        value.value.kind = kRegDword;
        for (int shift = 0; shift < 32; shift += 8)
            value.value.bytes.push_back(static_cast<std::uint8_t>(*number >> shift));
        return value;
    }
    if (!startsWithFolded(s, "hex"))
        return std::nullopt;
    s.remove_prefix(3);
    value.value.kind = kRegBinary;
    if (!s.empty() && s.front() == '(') {
        s.remove_prefix(1);
        const std::optional<std::uint32_t> kind = takeHexNumber(s);
        if (!kind || s.empty() || s.front() != ')')
            return std::nullopt;
        s.remove_prefix(1);
        value.value.kind = *kind;
    }
    if (s.empty() || s.front() != ':')
        return std::nullopt;
    std::optional<std::vector<std::uint8_t>> bytes = parseHexBytes(s.substr(1));
    if (!bytes)
        return std::nullopt;
    // The export form keeps texts in UTF-16; the store keeps them in UTF-8.
    if (utf16Texts && isTextKind(value.value.kind)) {
        const std::string text = utf16leToUtf8(bytes->data(), bytes->size());
        bytes->assign(text.begin(), text.end());
    }
    value.value.bytes = std::move(*bytes);
    return value;
}

bool endsWithBackslash(std::string_view line)
{
    return trimmedRight(line).ends_with('\\');
}

// A line that can carry on a hex value: hex digits, commas and blanks, perhaps a last backslash.
bool isContinuation(std::string_view line)
{
    line = trimmedRight(trimmedLeft(line));
    if (line.ends_with('\\'))
        line.remove_suffix(1);
    bool digit = false;
    for (char c : line) {
        if (isHexDigit(c))
            digit = true;
        else if (c != ',' && !isBlank(c))
            return false;
    }
    return digit;
}

} // namespace

std::optional<RegFileDocument::Section> RegFileDocument::parseHeader(std::string_view line)
{
    const std::string_view trimmed = trimmedRight(trimmedLeft(line));
    if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']')
        return std::nullopt;
    Section section;
    section.header = std::string(line);
    const std::string_view inner = trimmed.substr(1, trimmed.size() - 2);
    const std::size_t separator = std::min(inner.find('\\'), inner.size());
    if (const std::optional<RootKey> root = rootKeyNamed(inner.substr(0, separator))) {
        section.understood = true;
        section.root = *root;
        section.key = normalizedKeyPath(inner.substr(separator));
    }
    return section;
}

RegFileDocument RegFileDocument::parse(std::string bytes)
{
    RegFileDocument document;
    decode(bytes);
    document.source_ = std::make_shared<const std::string>(std::move(bytes));
    const std::string_view text = *document.source_;
    const bool lastLineEnded = text.empty() || text.back() == '\n';
    const std::vector<std::string_view> lines = splitLines(text);
    std::size_t next = 0;
    bool utf16Texts = false;
    if (!lines.empty()) {
        const std::string_view first = trimmedRight(trimmedLeft(lines[0]));
        if (first == kOwnFormat || first == kExportFormat) {
            utf16Texts = first == kExportFormat;
            next = 1;
        }
    }

    std::string joined;
    while (next < lines.size()) {
        const std::string_view line = lines[next];
        if (std::optional<Section> section = parseHeader(line)) {
            document.sections_.push_back(std::move(*section));
            ++next;
            continue;
        }
        if (document.sections_.empty()) {
            document.preamble_.push_back(line);
            ++next;
            continue;
        }
        Section& section = document.sections_.back();
        const std::string_view start = trimmedLeft(line);
        if (!section.understood || start.empty() || (start.front() != '"' && start.front() != '@')) {
            section.lines.push_back(Line{kNoValue, line});
            ++next;
            continue;
        }
        // A value, perhaps carried on over further lines by a trailing backslash.
        std::size_t end = next + 1;
        std::string_view whole = trimmedRight(line);
        if (endsWithBackslash(whole)) {
            joined.assign(whole);
            while (endsWithBackslash(joined) && end < lines.size() && isContinuation(lines[end])) {
                joined.pop_back();
                joined += trimmedRight(trimmedLeft(lines[end]));
                ++end;
            }
            whole = joined;
        }
        std::optional<NamedValue> value;
        if (!endsWithBackslash(whole) && (end < lines.size() || lastLineEnded))
            value = parseValueLine(whole, utf16Texts);
        if (value) {
            section.lines.push_back(Line{document.values_.size(), {}});
            document.values_.push_back(std::move(*value));
        } else {
            for (std::size_t i = next; i < end; ++i)
                section.lines.push_back(Line{kNoValue, lines[i]});
        }
        next = end;
    }

    if (!lastLineEnded && next > 0) {
        if (!document.sections_.empty()) {
            std::vector<Line>& last = document.sections_.back().lines;
            if (!last.empty() && last.back().value == kNoValue) {
                document.cutTail_ = last.back().text;
                last.pop_back();
            }
        } else if (!document.preamble_.empty()) {
            document.cutTail_ = document.preamble_.back();
            document.preamble_.pop_back();
        }
    }
    return document;
}

} // namespace tessaloom
