#pragma once

#include "settings/settings_store.h"
#include "settings/stored_value.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaloom {

struct NamedValue {
    std::string name;
    StoredValue value;

    friend bool operator==(const NamedValue&, const NamedValue&) = default;
};

// The content of a settings file in the registry editor's text form: sections of values, one
// section per key, and every line that could not be understood kept where it stood, so that
// writing the file back loses nothing a person or another program put there.
class RegFileDocument {
public:
    // Reads the store's own form (UTF-8, "REGEDIT4") and the registry editor's export form
    // ("Windows Registry Editor Version 5.00", UTF-16LE with a byte-order mark). Never fails:
    // what is not understood is kept as lines of text.
    static RegFileDocument parse(std::string bytes);
    // The store's own form. Parsing it gives the same values and lines again.
    std::string serialize() const;

    // A key exists when a section names it or any key below it; root keys always exist.
    bool keyExists(RootKey root, std::string_view path) const;
    // The key's values, a later definition of a name replacing an earlier one.
    std::vector<NamedValue> values(RootKey root, std::string_view path) const;
    // Both return false, changing nothing, for a root, key path or value name the file cannot hold.
    bool createKey(RootKey root, std::string_view path);
    bool setValue(RootKey root, std::string_view path, const NamedValue& value);

private:
    static constexpr std::size_t kNoValue = static_cast<std::size_t>(-1);
    // One line of a section: a value (perhaps written over several lines), or text kept as read.
    struct Line {
        std::size_t value = kNoValue;  // into values_
        std::string_view text;         // into source_, when no value
    };
    struct Section {
        std::string header;       // the line that opens the section
        bool understood = false;  // false for an unknown root or a deletion: all its lines are text
        RootKey root = 0;
        std::string key;          // the path, folded, with single separators
        std::vector<Line> lines;
    };

    static std::optional<Section> parseHeader(std::string_view line);
    Section* lastSection(RootKey root, const std::string& key);
    bool endsWithBlankLine() const;

    // The decoded file that kept lines point into; copies of a document share it.
    std::shared_ptr<const std::string> source_;
    std::vector<NamedValue> values_;
    std::vector<std::string_view> preamble_;  // lines before the first section, but the format line
    std::vector<Section> sections_;
    // A last line without a line end may have been cut short ("dword:0000" of "dword:00000004"):
    // it is never taken as a value, and it stays the last line, still without a line end, so
    // that it is not trusted after a rewrite either.
    std::optional<std::string_view> cutTail_;
};

// The registry's names of the root keys, and back; empty text or nothing when unknown.
std::string rootKeyName(RootKey root);
std::optional<RootKey> rootKeyNamed(std::string_view name);

// A key path with its letters folded and empty parts dropped: the form in which paths compare.
std::string normalizedKeyPath(std::string_view path);

} // namespace tessaloom
