#pragma once

// The lines of a settings file one at a time, for the document that keeps them as text.
#include "settings/settings_store.h"
#include "settings/stored_value.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessaloom::regfile {

inline constexpr std::string_view kOwnFormat = "REGEDIT4";
inline constexpr std::string_view kExportFormat = "Windows Registry Editor Version 5.00";

// A header of a known root key: "[HKEY_...\path]" opens the key's section, "[-HKEY_...\path]"
// deletes the key with everything below it.
struct SectionHeader {
    bool deletes = false;
    RootKey root = 0;
    std::string key; // normalized
};

// A line that defines a value, or deletes it ("Name"=-) when it has none.
struct ValueLine {
    std::string name;
    std::optional<StoredValue> value;
};

// Whether a line is bracketed as a section header, of any root.
bool isBracketed(std::string_view line);
std::optional<SectionHeader> parseHeader(std::string_view line);
// One value line with its continuation lines (line ends included); nothing for lines that do not
// read as one. In the export form, texts in hex are UTF-16; in the store's own form, UTF-8 or
// Windows-1252.
std::optional<ValueLine> parseValueLines(std::string_view lines, bool exportForm);
// Whether the line ends with a backslash that carries a hex value on to the next line, and
// whether a line can be such a next line.
bool endsWithBackslash(std::string_view line);
bool isContinuation(std::string_view line);

// The first line of a text, without its line end.
std::string_view firstLine(std::string_view text);

bool isTextKind(std::uint32_t kind);
bool isBlankLine(std::string_view line);

// Calls f with every line of text, without its line end (a carriage return before a line feed,
// however many, belongs to the line end).
template <class F>
void forEachLine(std::string_view text, F&& f)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        while (line.ends_with('\r'))
            line.remove_suffix(1);
        f(line);
        start = end + 1;
    }
}

} // namespace tessaloom::regfile
