#include "help/sitemap.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>

namespace tessaloom {
namespace {

char lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
        std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

void appendUtf8(std::string& out, std::uint32_t code)
{
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = 0xFFFD;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The longest reference taken, from its '&' to its ';'.
constexpr std::size_t kLongestReference = 11;

// The numeric references and the few named ones that sitemap files use; anything else is
// kept as written.
std::string decodeReferences(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        // Looked for no further than a reference can reach, so a run of '&' takes linear time.
        const std::size_t semicolon = text.substr(i, kLongestReference).find(';');
        const std::size_t end = semicolon == std::string_view::npos ? semicolon : i + semicolon;
        if (end == std::string_view::npos) {
            out += text[i++];
            continue;
        }
        const std::string_view name = text.substr(i + 1, end - i - 1);
        std::optional<std::uint32_t> code;
        if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            const std::string_view digits = name.substr(hex ? 2 : 1);
            std::uint32_t value = 0;
            bool valid = !digits.empty();
            for (char c : digits) {
                const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                    : hex && std::isxdigit(static_cast<unsigned char>(c))     ? lower(c) - 'a' + 10
                                                                              : -1;
                if (digit < 0) {
                    valid = false;
                    break;
                }
                value = std::min<std::uint32_t>(value * (hex ? 16 : 10) + digit, 0x110000);
            }
            if (valid)
                code = value;
        } else if (name == "amp") {
            code = '&';
        } else if (name == "lt") {
            code = '<';
        } else if (name == "gt") {
            code = '>';
        } else if (name == "quot") {
            code = '"';
        } else if (name == "apos") {
            code = '\'';
        } else if (name == "nbsp") {
            code = 0xA0;
        }
        if (!code) {
            out += text[i++];
            continue;
        }
        appendUtf8(out, *code);
        i = end + 1;
    }
    return out;
}

struct Tag {
    std::string name;                                            // lower case, with a leading '/' for a closing tag
    std::vector<std::pair<std::string, std::string>> attributes; // names in lower case

    std::string attribute(std::string_view wanted) const
    {
        for (const auto& [attributeName, value] : attributes)
            if (attributeName == wanted)
                return value;
        return {};
    }
};

// Walks the tags of an HTML text one by one, skipping comments and the text between tags.
class TagReader {
public:
    explicit TagReader(std::string_view text)
        : text_(text)
    {
    }

    std::optional<Tag> next()
    {
        while (true) {
            pos_ = text_.find('<', pos_);
            if (pos_ == std::string_view::npos)
                return std::nullopt;
            if (text_.substr(pos_, 4) == "<!--") {
                const std::size_t end = text_.find("-->", pos_ + 4);
                pos_ = end == std::string_view::npos ? text_.size() : end + 3;
                continue;
            }
            ++pos_;
            Tag tag;
            tag.name = readName();
            if (tag.name.empty() || tag.name == "/") {
                skipToTagEnd();
                continue;
            }
            readAttributes(tag);
            return tag;
        }
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }

    std::string readName()
    {
        std::string name;
        if (!atEnd() && text_[pos_] == '/')
            name += text_[pos_++];
        while (!atEnd() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '!'))
            name += lower(text_[pos_++]);
        return name;
    }

    void skipSpaces()
    {
        while (!atEnd() && isSpace(text_[pos_]))
            ++pos_;
    }

    void skipToTagEnd()
    {
        const std::size_t end = text_.find('>', pos_);
        pos_ = end == std::string_view::npos ? text_.size() : end + 1;
    }

    void readAttributes(Tag& tag)
    {
        while (true) {
            skipSpaces();
            if (atEnd())
                return;
            if (text_[pos_] == '>') {
                ++pos_;
                return;
            }
            std::string name;
            while (!atEnd() && !isSpace(text_[pos_]) && text_[pos_] != '=' && text_[pos_] != '>')
                name += lower(text_[pos_++]);
            if (name.empty()) { // a lone '=' or similar: drop it
                ++pos_;
                continue;
            }
            skipSpaces();
            std::string value;
            if (!atEnd() && text_[pos_] == '=') {
                ++pos_;
                skipSpaces();
                value = readValue();
            }
            tag.attributes.emplace_back(std::move(name), decodeReferences(value));
        }
    }

    std::string readValue()
    {
        if (atEnd())
            return {};
        const char quote = text_[pos_];
        if (quote == '"' || quote == '\'') {
            const std::size_t end = text_.find(quote, pos_ + 1);
            const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
            std::string value(text_.substr(pos_ + 1, stop - pos_ - 1));
            pos_ = std::min(text_.size(), stop + 1);
            return value;
        }
        std::string value;
        while (!atEnd() && !isSpace(text_[pos_]) && text_[pos_] != '>')
            value += text_[pos_++];
        return value;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

std::vector<SitemapEntry> parseSitemap(std::string_view text)
{
    std::vector<SitemapEntry> root;
    // The lists that are open, innermost last. Only the innermost one grows, so the pointers
    // to the outer ones, which live in the entries of their parents, stay valid.
    std::vector<std::vector<SitemapEntry>*> open;
    std::vector<SitemapEntry>* current = &root;
    TagReader reader(text);

    SitemapEntry* entry = nullptr; // the sitemap object being read
    while (const std::optional<Tag> tag = reader.next()) {
        if (tag->name == "ul") {
            // A list right after an entry holds its children; a list without an entry
            // before it simply continues the one it is in.
            if (!open.empty() && !current->empty() && open.size() < static_cast<std::size_t>(kSitemapMaxDepth))
                current = &current->back().children;
            open.push_back(current);
            entry = nullptr;
        } else if (tag->name == "/ul") {
            if (!open.empty())
                open.pop_back();
            current = open.empty() ? &root : open.back();
            entry = nullptr;
        } else if (tag->name == "object") {
            entry = nullptr;
            if (equalsIgnoringCase(tag->attribute("type"), "text/sitemap")) {
                current->emplace_back();
                entry = &current->back();
            }
        } else if (tag->name == "/object") {
            entry = nullptr;
        } else if (tag->name == "param" && entry) {
            const std::string name = tag->attribute("name");
            // An index entry may name several topics; the first one is the one it opens.
            if (equalsIgnoringCase(name, "Name") && entry->name.empty())
                entry->name = tag->attribute("value");
            else if (equalsIgnoringCase(name, "Local") && entry->local.empty())
                entry->local = tag->attribute("value");
        }
    }
    return root;
}

} // namespace tessaloom
