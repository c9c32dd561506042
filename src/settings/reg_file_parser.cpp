// Reading a settings file: the store's own form and the registry editor's export form.
#include "settings/reg_file_document.h"
#include "settings/reg_file_lines.h"

#include "settings/registry.h"
#include "settings/text_encoding.h"

#include <algorithm>
#include <stdexcept>

namespace tessaloom {

namespace regfile {

namespace {

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
            return std::nullopt; // no closing quote
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

// One value line (its continuation lines already joined): "Name"=data, @=data, or "Name"=- that
// deletes the value.
std::optional<ValueLine> parseValueLine(std::string_view s, bool exportForm)
{
    ValueLine line;
    s = trimmedLeft(s);
    if (!s.empty() && s.front() == '@') {
        s.remove_prefix(1);
    } else if (std::optional<std::string> name = takeQuoted(s)) {
        line.name = std::move(*name);
    } else {
        return std::nullopt;
    }
    s = trimmedLeft(s);
    if (s.empty() || s.front() != '=')
        return std::nullopt;
    s = trimmedRight(trimmedLeft(s.substr(1)));
    if (s == "-")
        return line;

    StoredValue& value = line.value.emplace();
    if (std::optional<std::string> text = takeQuoted(s)) {
        if (!s.empty())
            return std::nullopt;
        value.kind = kRegSz;
        value.bytes.assign(text->begin(), text->end());
        value.bytes.push_back(0);
        return line;
    }
    if (startsWithFolded(s, "dword:")) {
        s.remove_prefix(6);
        const std::optional<std::uint32_t> number = takeHexNumber(s);
        if (!number || !s.empty())
            return std::nullopt;
        value.kind = kRegDword;
        for (int shift = 0; shift < 32; shift += 8)
            value.bytes.push_back(static_cast<std::uint8_t>(*number >> shift));
        return line;
    }
    if (!startsWithFolded(s, "hex"))
        return std::nullopt;
    s.remove_prefix(3);
    value.kind = kRegBinary;
    if (!s.empty() && s.front() == '(') {
        s.remove_prefix(1);
        const std::optional<std::uint32_t> kind = takeHexNumber(s);
        if (!kind || s.empty() || s.front() != ')')
            return std::nullopt;
        s.remove_prefix(1);
        value.kind = *kind;
    }
    if (s.empty() || s.front() != ':')
        return std::nullopt;
    std::optional<std::vector<std::uint8_t>> bytes = parseHexBytes(s.substr(1));
    if (!bytes)
        return std::nullopt;
    // The store keeps texts in UTF-8, as the lines of the file are decoded.
    if (isTextKind(value.kind)) {
        const std::string text = exportForm ? utf16leToUtf8(bytes->data(), bytes->size())
                                            : validUtf8(std::string(bytes->begin(), bytes->end()));
        bytes->assign(text.begin(), text.end());
    }
    value.bytes = std::move(*bytes);
    return line;
}

// Turns the file into UTF-8 text: UTF-16LE with a byte-order mark is converted, a UTF-8 mark
// dropped.
void decode(std::string& bytes)
{
    if (bytes.starts_with("\xFF\xFE")) {
        bytes = utf16leToUtf8(reinterpret_cast<const std::uint8_t*>(bytes.data()) + 2, bytes.size() - 2);
        return;
    }
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.erase(0, 3);
    bytes = validUtf8(std::move(bytes));
}

} // namespace

std::string_view firstLine(std::string_view text)
{
    std::string_view line = text.substr(0, text.find('\n'));
    while (line.ends_with('\r'))
        line.remove_suffix(1);
    return line;
}

bool isTextKind(std::uint32_t kind)
{
    return kind == kRegSz || kind == kRegExpandSz || kind == kRegMultiSz;
}

bool isBlankLine(std::string_view line)
{
    return trimmedLeft(line).empty();
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

bool isBracketed(std::string_view line)
{
    const std::string_view trimmed = trimmedRight(trimmedLeft(line));
    return trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']';
}

std::optional<SectionHeader> parseHeader(std::string_view line)
{
    if (!isBracketed(line))
        return std::nullopt;
    const std::string_view trimmed = trimmedRight(trimmedLeft(line));
    std::string_view inner = trimmed.substr(1, trimmed.size() - 2);
    SectionHeader header;
    if (inner.starts_with('-')) {
        header.deletes = true;
        inner.remove_prefix(1);
    }
    const std::size_t separator = std::min(inner.find('\\'), inner.size());
    const std::optional<RootKey> root = rootKeyNamed(inner.substr(0, separator));
    if (!root)
        return std::nullopt;
    header.root = *root;
    header.key = normalizedKeyPath(inner.substr(separator));
    return header;
}

std::optional<ValueLine> parseValueLines(std::string_view lines, bool exportForm)
{
    std::string joined;
    bool first = true;
    forEachLine(lines, [&](std::string_view line) {
        if (first) {
            joined.assign(trimmedRight(line));
            first = false;
        } else {
            joined.pop_back(); // the backslash that carried the value on
            joined += trimmedRight(trimmedLeft(line));
        }
    });
    if (endsWithBackslash(joined))
        return std::nullopt;
    return parseValueLine(joined, exportForm);
}

} // namespace regfile

RegFileDocument RegFileDocument::parse(std::string bytes)
{
    using namespace regfile;
    RegFileDocument document;
    decode(bytes);
    if (bytes.size() >= UINT32_MAX)
        throw std::length_error("settings file beyond 4 GiB");
    document.source_ = std::make_shared<const std::string>(std::move(bytes));
    const std::string_view text = *document.source_;
    const auto at = [](std::size_t offset) { return static_cast<std::uint32_t>(offset); };

    std::size_t next = 0;
    const std::string_view format = trimmedRight(trimmedLeft(firstLine(text)));
    if (format == kOwnFormat || format == kExportFormat) {
        document.exportForm_ = format == kExportFormat;
        next = std::min(text.find('\n'), text.size() - 1) + 1;
    }
    document.bodyBegin_ = at(next);
    std::size_t bodyEnd = text.size();
    if (!text.empty() && text.back() != '\n') {
        const std::size_t lastLine = text.rfind('\n') + 1; // 0 when there is one line
        if (lastLine >= next && !isBracketed(firstLine(text.substr(lastLine))))
            bodyEnd = lastLine;
    }
    document.bodyEnd_ = at(bodyEnd);

    bool inSection = false; // in a section of a known key, whose lines may be values
    auto lineAfter = [&](std::size_t start) { return std::min(text.find('\n', start), bodyEnd - 1) + 1; };
    while (next < bodyEnd) {
        // Most lines are neither headers nor values, which their first character tells.
        std::size_t first = next;
        while (first < bodyEnd && isBlank(text[first]))
            ++first;
        const char lead = first < bodyEnd ? text[first] : '\n';
        if (lead == '\n') {
            next = first + 1;
            continue;
        }
        if (lead != '[' && !(inSection && (lead == '"' || lead == '@'))) {
            next = lineAfter(first);
            continue;
        }
        std::size_t end = lineAfter(next);
        const std::string_view line = firstLine(text.substr(next, end - next));
        if (isBracketed(line)) {
            const std::optional<SectionHeader> header = parseHeader(line);
            inSection = header && !header->deletes;
            if (header)
                document.pieces_.push_back(Piece{at(next), at(end), 0, PieceKind::Header});
            next = end;
            continue;
        }
        if (lead == '[') { // bracketed, but not at its end
            next = end;
            continue;
        }
        // A value, perhaps carried on over further lines by a trailing backslash.
        for (std::string_view last = line; endsWithBackslash(last) && end < bodyEnd;) {
            const std::size_t after = lineAfter(end);
            const std::string_view following = firstLine(text.substr(end, after - end));
            if (!isContinuation(following))
                break;
            last = following;
            end = after;
        }
        document.pieces_.push_back(Piece{at(next), at(end), 0, PieceKind::Entry});
        next = end;
    }
    return document;
}

} // namespace tessaloom
