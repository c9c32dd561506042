#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace tessaloom {

// Whole-file reads and safe whole-file replacement for the settings file. Results are registry
// return codes (0, or kErrorFileNotFound when there is no file, kErrorAccessDenied, ...); no
// function throws for a file-system failure.

// Files larger than this are refused, to read and to write: a settings file holds a few
// kilobytes, and a read must stay quick and small whatever lies at the path.
inline constexpr std::uint64_t kMaxFileContent = 4u << 20;

// How long a write waits for another writer to let go of the file before storing nothing.
inline constexpr std::chrono::milliseconds kLockWait{2000};

// Where the file system has no locks, the age (by its modification time) at which a lock file
// is taken for one left by a writer that died: a write holds it for milliseconds.
inline constexpr std::chrono::seconds kStaleLockAge{10};

// The calls behind a write that tests and the benchmark stand in for: the lock, the clock while
// it is awaited, and the flush to the disk. The defaults are the system's.
class FileCalls {
public:
    virtual ~FileCalls() = default;
    // One attempt at the open file's exclusive lock: 0, or the errno (EWOULDBLOCK while another
    // process holds it; another error where the file system has no locks).
    virtual int tryLock(int fd);
    virtual std::chrono::steady_clock::time_point now();
    virtual void pause(std::chrono::milliseconds length);
    // Brings an open file's or folder's content to the disk: 0 or the errno.
    virtual int sync(int fd);
};

// Reads a regular file whole (a folder, pipe or device is refused without blocking, a file over
// kMaxFileContent with kErrorFileTooLarge). Never waits for a lock.
std::int32_t readFileContent(const std::string& path, std::string& content);

// Under an exclusive lock that every writer takes, reads the file (empty when missing), lets
// change turn its content into the new content, and, if that differs, writes it to a temporary
// file of its own beside it, syncs it, renames it over the file and syncs the folder: a crash or
// a power cut leaves the old or the new file, and concurrent writers never lose each other's
// changes. The lock is the file's own, or where the file system has none, the lock file
// "<file>.lock" beside it (one left by a writer that died is broken); it is awaited for
// kLockWait at most (then kErrorTimeout). Success means the new content is in the file. A
// symbolic link is followed and kept, the file's permissions are kept, missing folders are made.
// change sets the new content and returns 0, or returns a code that abandons the update; it
// may run more than once.
using ContentChange = std::function<std::int32_t(const std::string& before, std::string& after)>;
std::int32_t updateFileContent(const std::string& path, const ContentChange& change, FileCalls& calls);

// Whether updateFileContent could replace the existing file at the path: it can be read and
// written, and so can its folder. Changes nothing.
std::int32_t checkReplaceable(const std::string& path);

} // namespace tessaloom
