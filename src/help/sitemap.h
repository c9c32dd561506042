#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaloom {

// One entry of a help file's table of contents (.hhc) or index (.hhk): the text shown, the
// topic it opens (a path inside the help file, possibly with a "#anchor"; empty for a heading
// without a topic) and the entries nested under it.
struct SitemapEntry {
    std::string name;
    std::string local;
    std::vector<SitemapEntry> children;
};

// Lists nested deeper than this continue at this depth.
inline constexpr int kSitemapMaxDepth = 64;

// Reads the nested lists of sitemap objects of a contents or index file. Tolerant of the
// loose HTML these files are written in: tags in any case, unclosed <LI>, unquoted values,
// stray closing tags. Values have their character references decoded to UTF-8; other bytes
// are passed on as they stand.
std::vector<SitemapEntry> parseSitemap(std::string_view text);

} // namespace tessaloom
