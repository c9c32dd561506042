#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct chmFile;

namespace tessaloom {

// What a compiled help file says about itself in its #SYSTEM record; each entry is empty
// when the file does not name it.
struct ChmSystemInfo {
    std::string contentsFile; // e.g. "Tessaloom Help.hhc"
    std::string indexFile;    // e.g. "Tessaloom Help.hhk"
    std::string defaultTopic; // e.g. "Welcome.htm"
    std::string title;
};

// A compiled help file opened for reading. Paths inside it start with "/" and are matched
// without regard to case, as the help format does.
class ChmFile {
public:
    // Null when the path names no regular file or the file is not a sound help file
    // (isSoundHelpFile): a damaged file is treated as a missing one.
    static std::unique_ptr<ChmFile> open(const std::string& path);
    // The same for the bytes of a help file.
    static std::unique_ptr<ChmFile> fromBytes(std::string_view bytes);

    ~ChmFile();
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    // The bytes of the object at the path, or nothing when it is not there or cannot be read
    // in full.
    std::optional<std::string> read(const std::string& path) const;

    bool contains(const std::string& path) const;

    // The paths of the ordinary files stored in it (no directories, no internal records).
    std::vector<std::string> files() const;

    // The #SYSTEM record, with the contents and index files found by their extension when
    // the record does not name them.
    ChmSystemInfo systemInfo() const;

private:
    explicit ChmFile(struct ::chmFile* handle);

    struct ::chmFile* handle_;
};

} // namespace tessaloom
