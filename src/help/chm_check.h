#pragma once

#include <cstddef>
#include <string_view>

namespace tessaloom {

// The most directory entries a help file may list: reading its list of files stays bounded.
inline constexpr std::size_t kMaxHelpFileEntries = 65536;

// Whether the bytes of a compiled help file hold together as the reader (chmlib) relies on,
// judged from the file's own structure before the reader sees it: the file and directory
// headers; every directory page reached, from the listing's first page along its chain and
// from the index's root down, lies in the directory and is reached once; every entry lies
// whole in its page and names an object inside its section; the compressed section's reset
// table and control data take values the reader handles safely; the compressed content, its
// tables and the #SYSTEM record are found through the index. A damaged, cut-off or looping
// file is refused.
bool isSoundHelpFile(std::string_view file);

} // namespace tessaloom
