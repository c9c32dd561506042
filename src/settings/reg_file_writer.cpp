// Writing a settings file: "REGEDIT4" text while it is all ASCII, else the export form.
#include "settings/reg_file_document.h"
#include "settings/reg_file_lines.h"

#include "settings/registry.h"
#include "settings/text_encoding.h"

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
        std::find_if(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == '\r' || b == '\n'; }) == bytes.end();
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

// A value in the form that reads back the same. Texts written in hex are UTF-16 in the export
// form; in the other they are the text's own bytes, which keep it ASCII only when they are.
void appendValue(std::string& out, const NamedValue& named, bool exportForm, bool& plainAscii)
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
        appendHex(out,
                  std::uint32_t(value.bytes[0]) | std::uint32_t(value.bytes[1]) << 8 |
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
    std::string_view bytes(reinterpret_cast<const char*>(value.bytes.data()), value.bytes.size());
    std::string wide;
    if (regfile::isTextKind(value.kind)) {
        if (exportForm) {
            appendUtf16le(wide, bytes);
            bytes = wide;
        } else if (std::any_of(bytes.begin(), bytes.end(),
                               [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
            plainAscii = false;
        }
    }
    std::size_t column = out.size() - lineStart;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            out.push_back(',');
            ++column;
            if (column + 3 > kLineWidth) {
                out += exportForm ? "\\\r\n  " : "\\\n  ";
                column = 2;
            }
        }
        appendHex(out, static_cast<std::uint8_t>(bytes[i]), 2);
        column += 2;
    }
}

} // namespace

std::string RegFileDocument::render(bool exportForm, bool& plainAscii) const
{
    const std::string_view lineEnd = exportForm ? "\r\n" : "\n";
    const std::string_view text = *source_;
    std::string out(exportForm ? regfile::kExportFormat : regfile::kOwnFormat);
    out += lineEnd;
    out.reserve(text.size() + 4096);
    auto keepLines = [&](std::uint32_t begin, std::uint32_t end) {
        regfile::forEachLine(text.substr(begin, end - begin), [&](std::string_view line) {
            out += line;
            out += lineEnd;
        });
    };
    auto addValue = [&](const NamedValue& value) {
        appendValue(out, value, exportForm, plainAscii);
        out += lineEnd;
    };

    std::uint32_t at = bodyBegin_;
    for (const Piece& piece : pieces_) {
        keepLines(at, piece.begin);
        if (piece.kind == PieceKind::NewHeader) {
            out += headers_[piece.index];
            out += lineEnd;
        } else if (piece.kind == PieceKind::NewBlank) {
            out += lineEnd;
        } else if (piece.kind == PieceKind::NewValue) {
            addValue(values_[piece.index]);
        } else if (std::optional<regfile::ValueLine> line; piece.kind == PieceKind::Entry &&
                   (line = regfile::parseValueLines(pieceText(piece), exportForm_)) && line->value) {
            addValue(NamedValue{std::move(line->name), std::move(*line->value)});
        } else {
            keepLines(piece.begin, piece.end); // a header, a deletion, or lines that read as no value
        }
        at = piece.end;
    }
    keepLines(at, bodyEnd_);
    std::string_view tail = text.substr(bodyEnd_);
    while (tail.ends_with('\r'))
        tail.remove_suffix(1);
    out += tail;
    plainAscii =
        plainAscii && std::all_of(out.begin(), out.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return out;
}

std::string RegFileDocument::serialize() const
{
    bool plainAscii = true;
    std::string text = render(false, plainAscii);
    if (plainAscii)
        return text;
    std::string wide = "\xFF\xFE";
    appendUtf16le(wide, render(true, plainAscii));
    return wide;
}

} // namespace tessaloom
