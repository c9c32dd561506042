#include "help/chm_file.h"

#include "help/chm_check.h"
#include "platform/regular_file.h"

#include <chm_lib.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaloom {
namespace {

// Help topics and their pictures are small; an object that claims more than this comes from
// a damaged file and is refused rather than allocated. The same holds for the whole file.
constexpr LONGUINT64 kLargestObject = 64 * 1024 * 1024;
constexpr std::uint64_t kLargestFile = 64 * 1024 * 1024;

// Codes of the #SYSTEM entries read here.
constexpr unsigned kSystemContentsFile = 0;
constexpr unsigned kSystemIndexFile = 1;
constexpr unsigned kSystemDefaultTopic = 2;
constexpr unsigned kSystemTitle = 3;

unsigned readUInt16(const std::string& bytes, std::size_t at)
{
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

// Entries hold NUL-terminated text.
std::string textOf(const std::string& data)
{
    return data.substr(0, data.find('\0'));
}

bool endsWithIgnoringCase(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() &&
        std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

std::string withLeadingSlash(const std::string& path)
{
    return !path.empty() && path.front() == '/' ? path : "/" + path;
}

// The bytes of the regular file at the path, or nothing. A pipe or a device put at the path,
// even after any test of the path, is refused instead of blocking the program.
std::optional<std::string> readRegularFile(const std::string& path)
{
    const int fd = openRegularFile(path);
    if (fd < 0)
        return std::nullopt;
    std::optional<std::string> bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && static_cast<std::uint64_t>(info.st_size) <= kLargestFile) {
        bytes.emplace();
        char buffer[1 << 16];
        for (ssize_t got = 1; got != 0;) {
            got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0 || bytes->size() + static_cast<std::size_t>(got) > kLargestFile) {
                bytes.reset();
                break;
            }
            bytes->append(buffer, static_cast<std::size_t>(got));
        }
    }
    ::close(fd);
    return bytes;
}

// chmlib opens files by name and reads them as it goes. It is given a sealed copy of the
// checked bytes in memory, named through /proc/self/fd: it reads exactly what was checked,
// whatever happens to the file on disk meanwhile.
struct ::chmFile* openChecked(std::string_view bytes)
{
    const int fd = ::memfd_create("help", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (fd < 0)
        return nullptr;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            break;
        done += static_cast<std::size_t>(wrote);
    }
    struct ::chmFile* handle = nullptr;
    if (done == bytes.size() && ::fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL) == 0)
        handle = chm_open(("/proc/self/fd/" + std::to_string(fd)).c_str());
    ::close(fd);
    return handle;
}

} // namespace

std::unique_ptr<ChmFile> ChmFile::open(const std::string& path)
{
    const std::optional<std::string> bytes = readRegularFile(path);
    return bytes ? fromBytes(*bytes) : nullptr;
}

std::unique_ptr<ChmFile> ChmFile::fromBytes(std::string_view bytes)
{
    if (!isSoundHelpFile(bytes))
        return nullptr;
    struct ::chmFile* handle = openChecked(bytes);
    return handle ? std::unique_ptr<ChmFile>(new ChmFile(handle)) : nullptr;
}

ChmFile::ChmFile(struct ::chmFile* handle)
    : handle_(handle)
{
}

ChmFile::~ChmFile()
{
    chm_close(handle_);
}

std::optional<std::string> ChmFile::read(const std::string& path) const
{
    chmUnitInfo unit{};
    const std::string objectPath = withLeadingSlash(path);
    if (objectPath.size() > CHM_MAX_PATHLEN)
        return std::nullopt;
    if (chm_resolve_object(handle_, objectPath.c_str(), &unit) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    if (unit.length > kLargestObject)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(unit.length), '\0');
    if (unit.length == 0)
        return bytes;
    const LONGINT64 got = chm_retrieve_object(handle_, &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                                              static_cast<LONGINT64>(unit.length));
    if (got != static_cast<LONGINT64>(unit.length))
        return std::nullopt;
    return bytes;
}

bool ChmFile::contains(const std::string& path) const
{
    chmUnitInfo unit{};
    const std::string objectPath = withLeadingSlash(path);
    return objectPath.size() <= CHM_MAX_PATHLEN &&
        chm_resolve_object(handle_, objectPath.c_str(), &unit) == CHM_RESOLVE_SUCCESS;
}

std::vector<std::string> ChmFile::files() const
{
    std::vector<std::string> paths;
    const auto collect = [](struct ::chmFile*, chmUnitInfo* unit, void* context) -> int {
        static_cast<std::vector<std::string>*>(context)->emplace_back(unit->path);
        return CHM_ENUMERATOR_CONTINUE;
    };
    chm_enumerate(handle_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collect, &paths);
    return paths;
}

ChmSystemInfo ChmFile::systemInfo() const
{
    ChmSystemInfo info;
    // A version number, then entries of a 16-bit code, a 16-bit length and that many bytes.
    if (const std::optional<std::string> system = read("/#SYSTEM")) {
        std::size_t at = 4;
        while (at + 4 <= system->size()) {
            const unsigned code = readUInt16(*system, at);
            const std::size_t length = readUInt16(*system, at + 2);
            at += 4;
            if (at + length > system->size())
                break;
            const std::string data = textOf(system->substr(at, length));
            at += length;
            switch (code) {
            case kSystemContentsFile:
                info.contentsFile = data;
                break;
            case kSystemIndexFile:
                info.indexFile = data;
                break;
            case kSystemDefaultTopic:
                info.defaultTopic = data;
                break;
            case kSystemTitle:
                info.title = data;
                break;
            default:
                break;
            }
        }
    }
    if (info.contentsFile.empty() || info.indexFile.empty()) {
        for (const std::string& path : files()) {
            if (info.contentsFile.empty() && endsWithIgnoringCase(path, ".hhc"))
                info.contentsFile = path.substr(1);
            else if (info.indexFile.empty() && endsWithIgnoringCase(path, ".hhk"))
                info.indexFile = path.substr(1);
        }
    }
    return info;
}

} // namespace tessaloom
