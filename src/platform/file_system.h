#pragma once

#include <string>

namespace tessaloom {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // True only for an existing regular file (after following links): a folder, a pipe or a
    // device named as a picture must never be opened as one.
    virtual bool fileExists(const std::string& path) const = 0;
};

// The file test on the real file system.
class RealFileSystem final : public FileSystem {
public:
    bool fileExists(const std::string& path) const override;
};

} // namespace tessaloom
