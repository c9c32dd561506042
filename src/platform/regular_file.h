#pragma once

#include <string>

namespace tessaloom {

// Opens a file for reading without waiting on it, since the open of a pipe or device put at the
// path would block for ever, and keeps it only when the open file is a regular one: the file
// itself is tested, not the path, so nothing swapped in after a test of the path is ever read.
// A descriptor of the C runtime, or -1.
int openRegularFile(const std::string& path);

} // namespace tessaloom
