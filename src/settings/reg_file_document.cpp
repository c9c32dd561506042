#include "settings/reg_file_document.h"
#include "settings/reg_file_lines.h"

#include <array>
#include <unordered_map>

namespace tessaloom {

namespace {

struct RootName {
    RootKey root;
    const char* name;
};

constexpr std::array<RootName, 5> kRootNames{{
    {0x80000000u, "HKEY_CLASSES_ROOT"},
    {kHkeyCurrentUser, "HKEY_CURRENT_USER"},
    {kHkeyLocalMachine, "HKEY_LOCAL_MACHINE"},
    {0x80000003u, "HKEY_USERS"},
    {0x80000005u, "HKEY_CURRENT_CONFIG"},
}};

// The non-empty parts of a key path, as given.
std::vector<std::string_view> keyParts(std::string_view path)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool holdsLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

std::string rootKeyName(RootKey root)
{
    for (const RootName& entry : kRootNames)
        if (entry.root == root)
            return entry.name;
    return {};
}

std::optional<RootKey> rootKeyNamed(std::string_view name)
{
    for (const RootName& entry : kRootNames)
        if (sameRegistryName(name, entry.name))
            return entry.root;
    return std::nullopt;
}

std::string normalizedKeyPath(std::string_view path)
{
    std::string key;
    for (std::string_view part : keyParts(path)) {
        if (!key.empty())
            key.push_back('\\');
        key += foldedRegistryName(part);
    }
    return key;
}

// A key of the document, and what a section header does to it.
struct RegFileDocument::Target {
    RootKey root = 0;
    std::string key; // normalized
};

namespace {

enum class Step {
    Opens,   // a section of the key: it exists, and the values that follow are its own
    Creates, // a section of a key below it: it exists
    Deletes, // it is deleted, with its values
    Leaves,  // a section of another key
    Value,   // a value line of the key (it defines a value, or deletes one)
};

bool isBelow(std::string_view key, std::string_view above)
{
    return above.empty() || (key.size() > above.size() && key.starts_with(above) && key[above.size()] == '\\');
}

} // namespace

template <class Visit>
void RegFileDocument::walk(const Target& target, Visit&& visit) const
{
    bool inTarget = false;
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        const Piece& piece = pieces_[i];
        if (piece.kind == PieceKind::Header || piece.kind == PieceKind::NewHeader) {
            const std::string_view line = piece.kind == PieceKind::Header ? pieceText(piece) : headers_[piece.index];
            const std::optional<regfile::SectionHeader> header = regfile::parseHeader(regfile::firstLine(line));
            Step step = Step::Leaves;
            if (header && header->root == target.root) {
                if (header->deletes && !header->key.empty() &&
                    (header->key == target.key || isBelow(target.key, header->key)))
                    step = Step::Deletes;
                else if (!header->deletes && header->key == target.key)
                    step = Step::Opens;
                else if (!header->deletes && isBelow(header->key, target.key))
                    step = Step::Creates;
            }
            inTarget = step == Step::Opens;
            visit(i, step, nullptr);
        } else if (inTarget && piece.kind == PieceKind::NewValue) {
            const NamedValue& value = values_[piece.index];
            const regfile::ValueLine line{value.name, value.value};
            visit(i, Step::Value, &line);
        } else if (inTarget && piece.kind == PieceKind::Entry) {
            if (const std::optional<regfile::ValueLine> line = regfile::parseValueLines(pieceText(piece), exportForm_))
                visit(i, Step::Value, &*line);
        }
    }
}

std::string_view RegFileDocument::pieceText(const Piece& piece) const
{
    return std::string_view(*source_).substr(piece.begin, piece.end - piece.begin);
}

bool RegFileDocument::keyExists(RootKey root, std::string_view path) const
{
    if (rootKeyName(root).empty())
        return false;
    const Target target{root, normalizedKeyPath(path)};
    if (target.key.empty())
        return true;
    bool exists = false;
    walk(target, [&](std::size_t, Step step, const regfile::ValueLine*) {
        if (step == Step::Opens || step == Step::Creates)
            exists = true;
        else if (step == Step::Deletes)
            exists = false;
    });
    return exists;
}

std::optional<StoredValue> RegFileDocument::value(RootKey root, std::string_view path, std::string_view name) const
{
    std::optional<StoredValue> result;
    walk(Target{root, normalizedKeyPath(path)}, [&](std::size_t, Step step, const regfile::ValueLine* line) {
        if (step == Step::Deletes)
            result.reset();
        else if (line && sameRegistryName(line->name, name))
            result = line->value;
    });
    return result;
}

std::vector<NamedValue> RegFileDocument::values(RootKey root, std::string_view path) const
{
    std::vector<std::optional<NamedValue>> found; // in the order first defined; nothing once deleted
    std::unordered_map<std::string, std::size_t> index;
    walk(Target{root, normalizedKeyPath(path)}, [&](std::size_t, Step step, const regfile::ValueLine* line) {
        if (step == Step::Deletes) {
            found.clear();
            index.clear();
        } else if (line) {
            const std::string folded = foldedRegistryName(line->name);
            const auto at = index.find(folded);
            if (!line->value) {
                if (at != index.end()) {
                    found[at->second].reset();
                    index.erase(at);
                }
            } else if (at != index.end()) {
                found[at->second]->value = *line->value;
            } else {
                index.emplace(folded, found.size());
                found.push_back(NamedValue{line->name, *line->value});
            }
        }
    });
    std::vector<NamedValue> result;
    for (std::optional<NamedValue>& value : found)
        if (value)
            result.push_back(std::move(*value));
    return result;
}

std::optional<std::size_t> RegFileDocument::liveSection(const Target& target) const
{
    std::optional<std::size_t> live;
    walk(target, [&](std::size_t i, Step step, const regfile::ValueLine*) {
        if (step == Step::Opens)
            live = i;
        else if (step == Step::Deletes)
            live.reset();
    });
    return live;
}

bool RegFileDocument::endsWithBlankLine() const
{
    std::uint32_t textStart = bodyBegin_;
    if (!pieces_.empty()) {
        const Piece& last = pieces_.back();
        if (last.end == bodyEnd_ && last.kind != PieceKind::Header && last.kind != PieceKind::Entry)
            return last.kind == PieceKind::NewBlank;
        textStart = last.end;
    }
    const std::string_view text = std::string_view(*source_).substr(textStart, bodyEnd_ - textStart);
    if (text.empty())
        return false;
    std::string_view lastLine;
    regfile::forEachLine(text, [&](std::string_view line) { lastLine = line; });
    return regfile::isBlankLine(lastLine);
}

bool RegFileDocument::createKey(RootKey root, std::string_view path)
{
    const std::string rootName = rootKeyName(root);
    if (rootName.empty() || holdsLineBreak(path))
        return false;
    if (liveSection(Target{root, normalizedKeyPath(path)}))
        return true;

    std::string header = "[" + rootName;
    for (std::string_view part : keyParts(path)) {
        header.push_back('\\');
        header += part;
    }
    header.push_back(']');

    // A blank line before every section, as the registry editor writes them.
    if (!endsWithBlankLine())
        pieces_.push_back(Piece{bodyEnd_, bodyEnd_, 0, PieceKind::NewBlank});
    pieces_.push_back(Piece{bodyEnd_, bodyEnd_, static_cast<std::uint32_t>(headers_.size()), PieceKind::NewHeader});
    headers_.push_back(std::move(header));
    return true;
}

bool RegFileDocument::setValue(RootKey root, std::string_view path, const NamedValue& value)
{
    if (holdsLineBreak(value.name) || !createKey(root, path))
        return false;
    const auto newIndex = static_cast<std::uint32_t>(values_.size());

    // The definition that counts is the last one, unless a later line deletes it; it takes the
    // new data where it stands. Otherwise the value goes after the last value line of the key's
    // last section that no deletion follows.
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t definition = kNone;
    std::size_t insertAfter = 0;
    walk(Target{root, normalizedKeyPath(path)}, [&](std::size_t i, Step step, const regfile::ValueLine* line) {
        if (step == Step::Opens) {
            insertAfter = i;
        } else if (step == Step::Deletes) {
            definition = kNone;
        } else if (line) {
            insertAfter = i;
            if (sameRegistryName(line->name, value.name))
                definition = line->value ? i : kNone;
        }
    });
    if (definition != kNone) {
        Piece& piece = pieces_[definition];
        if (piece.kind == PieceKind::NewValue) {
            values_[piece.index].value = value.value;
            return true;
        }
        // The name keeps the spelling it has in the file.
        std::optional<regfile::ValueLine> line = regfile::parseValueLines(pieceText(piece), exportForm_);
        piece.kind = PieceKind::NewValue;
        piece.index = newIndex;
        values_.push_back(NamedValue{std::move(line->name), value.value});
        return true;
    }
    const std::uint32_t place = pieces_[insertAfter].end;
    pieces_.insert(pieces_.begin() + static_cast<std::ptrdiff_t>(insertAfter) + 1,
                   Piece{place, place, newIndex, PieceKind::NewValue});
    values_.push_back(value);
    return true;
}

} // namespace tessaloom
