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
// writing the file back loses nothing a person or another program put there. Lines that delete
// a value ("Name"=-) or a key ([-HKEY_...]) take effect in reading order, as an import would.
//
// The document keeps the file's text and, besides it, one small record per section header and
// value line only, so that its size stays within a small multiple of the file's.
class RegFileDocument {
public:
    // Reads the registry editor's two forms: "REGEDIT4" (UTF-8 as this store wrote it; a byte
    // that is not UTF-8 is the Windows-1252 character of the editor's own files) and "Windows
    // Registry Editor Version 5.00" (UTF-16LE with a byte-order mark). Never fails: what is not
    // understood is kept as lines of text.
    static RegFileDocument parse(std::string bytes);
    // "REGEDIT4" text while every character is ASCII; otherwise the form the registry editor
    // exports (Version 5.00, UTF-16LE with a byte-order mark, CRLF), which it imports with every
    // character intact. Parsing it gives the same values and lines again.
    std::string serialize() const;

    // A key exists when a section names it or any key below it, and no later line deletes it;
    // root keys always exist.
    bool keyExists(RootKey root, std::string_view path) const;
    // A value as an import of the whole file would leave it: the last definition, unless a
    // later line deletes the value or its key.
    std::optional<StoredValue> value(RootKey root, std::string_view path, std::string_view name) const;
    // All of the key's values so.
    std::vector<NamedValue> values(RootKey root, std::string_view path) const;
    // Both return false, changing nothing, for a root, key path or value name the file cannot
    // hold. What they add stands where an import keeps it: after any line deleting it.
    bool createKey(RootKey root, std::string_view path);
    bool setValue(RootKey root, std::string_view path, const NamedValue& value);

private:
    enum class PieceKind : std::uint8_t {
        Header,    // a section header as read
        Entry,     // a line (with its continuation lines) that may define or delete a value
        NewHeader, // a header added, in headers_
        NewValue,  // a value set, in values_
        NewBlank,  // an empty line added before a new section
    };
    // Lines of the text, line ends included; the text between two pieces is kept lines.
    // An added piece is empty and stands at the place it was inserted.
    struct Piece {
        std::uint32_t begin = 0;
        std::uint32_t end = 0;
        std::uint32_t index = 0; // into headers_ or values_
        PieceKind kind = PieceKind::Header;
    };
    struct Target;
    template <class Visit>
    void walk(const Target& target, Visit&& visit) const;
    std::optional<std::size_t> liveSection(const Target& target) const;
    std::string_view pieceText(const Piece& piece) const;
    bool endsWithBlankLine() const;
    std::string render(bool exportForm, bool& plainAscii) const;

    // The decoded file; copies of a document share it.
    std::shared_ptr<const std::string> source_ = std::make_shared<const std::string>();
    bool exportForm_ = false;     // texts in hex are UTF-16 in the file read
    std::uint32_t bodyBegin_ = 0; // after the format line
    // A last line without a line end may have been cut short ("dword:0000" of "dword:00000004"):
    // it is never taken as a value, and it stays the last line, still without a line end, so
    // that it is not trusted after a rewrite either. It begins here.
    std::uint32_t bodyEnd_ = 0;
    std::vector<Piece> pieces_;
    std::vector<std::string> headers_;
    std::vector<NamedValue> values_;
};

// The registry's names of the root keys, and back; empty text or nothing when unknown.
std::string rootKeyName(RootKey root);
std::optional<RootKey> rootKeyNamed(std::string_view name);

// A key path with its letters folded and empty parts dropped: the form in which paths compare.
std::string normalizedKeyPath(std::string_view path);

} // namespace tessaloom
