#include "help/chm_file.h"

#include <chm_lib.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <system_error>

namespace tessaloom {
namespace {

// Help topics and their pictures are small; an object that claims more than this comes from
// a damaged file and is refused rather than allocated.
constexpr LONGUINT64 kLargestObject = 64 * 1024 * 1024;

// The compressed section that holds the topics, stored uncompressed itself.
constexpr const char* kCompressedContent = "::DataSpace/Storage/MSCompressed/Content";

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

} // namespace

std::unique_ptr<ChmFile> ChmFile::open(const std::string& path)
{
    // Only a regular file: opening a pipe or a device would block or read forever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::path(path), error))
        return nullptr;
    struct ::chmFile* handle = chm_open(path.c_str());
    if (!handle)
        return nullptr;
    std::unique_ptr<ChmFile> file(new ChmFile(handle));
    // chmlib reads the missing part of a cut-off file as zeros, which would show as empty
    // topics; a file whose compressed section is not there to its last byte is refused.
    chmUnitInfo content{};
    if (chm_resolve_object(handle, kCompressedContent, &content) == CHM_RESOLVE_SUCCESS && content.length > 0) {
        unsigned char last = 0;
        if (chm_retrieve_object(handle, &content, &last, content.length - 1, 1) != 1)
            return nullptr;
    }
    return file;
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
