#include "platform/file_system.h"

#include <filesystem>
#include <system_error>

namespace tessaloom {

bool RealFileSystem::fileExists(const std::string& path) const
{
    if (path.empty())
        return false;
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::u8path(path), error);
}

} // namespace tessaloom
