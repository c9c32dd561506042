// Writing a settings file in the store's own form: UTF-8 under a "REGEDIT4" line.
#include "settings/reg_file_document.h"

#include "settings/registry.h"

#include <algorithm>

namespace tessaloom {

namespace {

// Hex data lines stay within the width the registry editor uses.
constexpr std::size_t kLineWidth = 76;

void appendQuoted(std::string& out, std::string_view text)
{
    out.push_back('"');
    for (char c : text) {
        if (c == '\\' || c == '"')
            out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
}

// A text value goes between quotes when it reads back the same: one NUL, at its end, and no
// line break inside.
bool quotable(const StoredValue& value)
{
    const auto& bytes = value.bytes;
    return value.kind == kRegSz && !bytes.empty() && bytes.back() == 0 &&
           std::find(bytes.begin(), bytes.end() - 1, 0) == bytes.end() - 1 &&
           std::find_if(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == '\r' || b == '\n'; }) ==
               bytes.end();
}

void appendHex(std::string& out, std::uint32_t number, int digits)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[number & 0xF]);
        number >>= 4;
    } while (number != 0 || static_cast<int>(text.size()) < digits);
    out += text;
}

void appendValue(std::string& out, const NamedValue& named)
{
    const std::size_t lineStart = out.size();
    if (named.name.empty())
        out.push_back('@');
    else
        appendQuoted(out, named.name);
    out.push_back('=');

    const StoredValue& value = named.value;
    if (quotable(value)) {
        appendQuoted(out, std::string_view(reinterpret_cast<const char*>(value.bytes.data()), value.bytes.size() - 1));
        return;
    }
    if (value.kind == kRegDword && value.bytes.size() == 4) {
        out += "dword:";
        appendHex(out, std::uint32_t(value.bytes[0]) | std::uint32_t(value.bytes[1]) << 8 |
                           std::uint32_t(value.bytes[2]) << 16 | std::uint32_t(value.bytes[3]) << 24,
                  8);
        return;
    }
    if (value.kind == kRegBinary) {
        out += "hex:";
    } else {
        out += "hex(";
        appendHex(out, value.kind, 1);
        out += "):";
    }
    std::size_t column = out.size() - lineStart;
    for (std::size_t i = 0; i < value.bytes.size(); ++i) {
        if (i > 0) {
            out.push_back(',');
            ++column;
            if (column + 3 > kLineWidth) {
                out += "\\\n  ";
                column = 2;
            }
        }
        appendHex(out, value.bytes[i], 2);
        column += 2;
    }
}

} // namespace

std::string RegFileDocument::serialize() const
{
    std::string out = "REGEDIT4\n";
    out.reserve(source_ ? source_->size() + 4096 : 4096);
    auto appendLine = [&out](std::string_view line) {
        out.append(line);
        out.push_back('\n');
    };
    for (std::string_view line : preamble_)
        appendLine(line);
    for (const Section& section : sections_) {
        appendLine(section.header);
        for (const Line& line : section.lines) {
            if (line.value != kNoValue) {
                appendValue(out, values_[line.value]);
                out.push_back('\n');
            } else {
                appendLine(line.text);
            }
        }
    }
    if (cutTail_)
        out.append(*cutTail_);
    return out;
}

} // namespace tessaloom
