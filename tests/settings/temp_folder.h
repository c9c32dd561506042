#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>

#include <stdlib.h>

namespace tessaloom::testing {

// A fresh folder under the system's temporary folder, open to every user (some checks run as an
// unprivileged user), removed with everything in it at the end, whatever modes a test left.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessaloom-settings-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary folder");
        root_ = pattern;
        std::filesystem::permissions(root_, std::filesystem::perms::all);
    }
    ~TempFolder()
    {
        std::error_code error;
        std::filesystem::permissions(root_, std::filesystem::perms::all, error);
        for (auto it = std::filesystem::recursive_directory_iterator(root_, error);
             it != std::filesystem::recursive_directory_iterator(); it.increment(error))
            if (it->is_directory(error) && !it->is_symlink(error))
                std::filesystem::permissions(it->path(), std::filesystem::perms::all, error);
        std::filesystem::remove_all(root_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path(const std::string& name = {}) const { return name.empty() ? root_.string() : (root_ / name).string(); }

private:
    std::filesystem::path root_;
};

// A file's bytes, empty when it cannot be read.
inline std::string contentOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace tessaloom::testing
