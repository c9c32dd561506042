#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tessaloom {

// Whole-file reads and safe whole-file replacement for the settings file. Results are registry
// return codes (0, or kErrorFileNotFound when there is no file, kErrorAccessDenied, ...); no
// function throws for a file-system failure.

// Files larger than this are refused rather than read: no settings file grows so large, and a
// read must end in bounded time whatever lies at the path.
inline constexpr std::uint64_t kMaxFileContent = 128u << 20;

// Reads a regular file whole (a folder, pipe or device is refused without blocking).
std::int32_t readFileContent(const std::string& path, std::string& content);

// Under an exclusive lock that every writer takes, reads the file (empty when missing), lets
// change turn its content into the new content, and, if that differs, writes it to a temporary
// file beside it and renames that over the file: a crash leaves the old or the new file, and
// concurrent writers never lose each other's changes. A symbolic link is followed and kept;
// missing folders are made. change sets the new content and returns 0, or returns a code that
// abandons the update.
using ContentChange = std::function<std::int32_t(const std::string& before, std::string& after)>;
std::int32_t updateFileContent(const std::string& path, const ContentChange& change);

// Whether updateFileContent could replace the existing file at the path: it can be read and
// written, and so can its folder. Changes nothing.
std::int32_t checkReplaceable(const std::string& path);

} // namespace tessaloom
