// Fuzzes the contents and index reader: any bytes parse, within libFuzzer's time limit, into
// lists nested no deeper than kSitemapMaxDepth.
#include "help/sitemap.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

int depth(const std::vector<tessaloom::SitemapEntry>& entries)
{
    int deepest = 0;
    for (const tessaloom::SitemapEntry& entry : entries)
        deepest = std::max(deepest, 1 + depth(entry.children));
    return deepest;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto entries = tessaloom::parseSitemap(std::string_view(reinterpret_cast<const char*>(data), size));
    if (depth(entries) > tessaloom::kSitemapMaxDepth) {
        std::fprintf(stderr, "property broken: lists nested deeper than kSitemapMaxDepth\n");
        std::abort();
    }
    return 0;
}
