#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include <stdlib.h>

namespace tessaloom::testing {

// A fresh folder open to every user (some checks run as an unprivileged user), removed at the end
// with everything in it. A test that takes permissions away gives them back.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessaloom-settings-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary folder");
        std::filesystem::permissions(root_ = pattern, std::filesystem::perms::all);
    }
    ~TempFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(root_, error);
    }
    std::string path(const std::string& name) const { return (root_ / name).string(); }

private:
    std::filesystem::path root_;
};

} // namespace tessaloom::testing
