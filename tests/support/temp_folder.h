#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include <stdlib.h>

namespace tessaloom::testing {

// A fresh folder open to every user (some checks run as an unprivileged user), removed at the end
// with everything in it. A test that takes permissions away gives them back.
struct TempFolder {
    std::filesystem::path root = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessaloom-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary folder");
        std::filesystem::permissions(pattern, std::filesystem::perms::all);
        return std::filesystem::path(pattern);
    }();
    ~TempFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(root, error);
    }
    std::string path(const std::string& name) const { return (root / name).string(); }
};

} // namespace tessaloom::testing
