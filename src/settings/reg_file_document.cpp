#include "settings/reg_file_document.h"

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

bool isBlankLine(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
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

bool RegFileDocument::keyExists(RootKey root, std::string_view path) const
{
    if (rootKeyName(root).empty())
        return false;
    const std::string key = normalizedKeyPath(path);
    if (key.empty())
        return true;
    for (const Section& section : sections_) {
        if (!section.understood || section.root != root)
            continue;
        if (section.key == key || (section.key.size() > key.size() && section.key.starts_with(key) &&
                                   section.key[key.size()] == '\\'))
            return true;
    }
    return false;
}

std::vector<NamedValue> RegFileDocument::values(RootKey root, std::string_view path) const
{
    const std::string key = normalizedKeyPath(path);
    std::vector<NamedValue> result;
    std::unordered_map<std::string, std::size_t> index;
    for (const Section& section : sections_) {
        if (!section.understood || section.root != root || section.key != key)
            continue;
        for (const Line& line : section.lines) {
            if (line.value == kNoValue)
                continue;
            const NamedValue& value = values_[line.value];
            const auto [at, added] = index.try_emplace(foldedRegistryName(value.name), result.size());
            if (added)
                result.push_back(value);
            else
                result[at->second].value = value.value;
        }
    }
    return result;
}

RegFileDocument::Section* RegFileDocument::lastSection(RootKey root, const std::string& key)
{
    for (auto section = sections_.rbegin(); section != sections_.rend(); ++section)
        if (section->understood && section->root == root && section->key == key)
            return &*section;
    return nullptr;
}

bool RegFileDocument::endsWithBlankLine() const
{
    if (sections_.empty())
        return !preamble_.empty() && isBlankLine(preamble_.back());
    const std::vector<Line>& lines = sections_.back().lines;
    return !lines.empty() && lines.back().value == kNoValue && isBlankLine(lines.back().text);
}

bool RegFileDocument::createKey(RootKey root, std::string_view path)
{
    const std::string rootName = rootKeyName(root);
    if (rootName.empty() || holdsLineBreak(path))
        return false;
    const std::string key = normalizedKeyPath(path);
    if (lastSection(root, key))
        return true;

    std::string header = "[" + rootName;
    for (std::string_view part : keyParts(path)) {
        header.push_back('\\');
        header += part;
    }
    header.push_back(']');

    // A blank line before every section, as the registry editor writes them.
    if (!endsWithBlankLine()) {
        if (sections_.empty())
            preamble_.emplace_back();
        else
            sections_.back().lines.push_back(Line{});
    }
    sections_.push_back(Section{std::move(header), true, root, key, {}});
    return true;
}

bool RegFileDocument::setValue(RootKey root, std::string_view path, const NamedValue& value)
{
    if (holdsLineBreak(value.name) || !createKey(root, path))
        return false;
    const std::string key = normalizedKeyPath(path);

    // The definition that counts is the last one; it takes the new data where it stands.
    for (auto section = sections_.rbegin(); section != sections_.rend(); ++section) {
        if (!section->understood || section->root != root || section->key != key)
            continue;
        for (auto line = section->lines.rbegin(); line != section->lines.rend(); ++line) {
            if (line->value != kNoValue && sameRegistryName(values_[line->value].name, value.name)) {
                values_[line->value].value = value.value;
                return true;
            }
        }
    }

    // A new value goes after the last value of the key's last section.
    std::vector<Line>& lines = lastSection(root, key)->lines;
    auto after = lines.end();
    while (after != lines.begin() && std::prev(after)->value == kNoValue)
        --after;
    lines.insert(after, Line{values_.size(), {}});
    values_.push_back(value);
    return true;
}

} // namespace tessaloom
