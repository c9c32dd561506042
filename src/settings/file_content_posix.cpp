#include "settings/file_content.h"

#include "settings/registry.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tessaloom {

int FileCalls::tryLock(int fd)
{
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
}

std::chrono::steady_clock::time_point FileCalls::now()
{
    return std::chrono::steady_clock::now();
}

void FileCalls::pause(std::chrono::milliseconds length)
{
    std::this_thread::sleep_for(length);
}

int FileCalls::sync(int fd)
{
    return ::fsync(fd) == 0 ? 0 : errno;
}

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : fd_(fd)
    {
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now, reporting the error a delayed write may surface only here.
    int close()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

std::int32_t codeFromErrno(int error, std::int32_t otherwise)
{
    switch (error) {
    case ENOENT:
        return kErrorFileNotFound;
    case ENOTDIR:
        return kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ELOOP:
        return kErrorAccessDenied;
    case ENOSPC:
    case EDQUOT:
        return kErrorDiskFull;
    case ENOMEM:
        return kErrorNotEnoughMemory;
    case EFBIG:
        return kErrorFileTooLarge;
    default:
        return otherwise;
    }
}

std::int32_t readAll(int fd, const struct stat& info, std::string& content)
{
    if (!S_ISREG(info.st_mode))
        return kErrorAccessDenied;
    if (static_cast<std::uint64_t>(info.st_size) > kMaxFileContent)
        return kErrorFileTooLarge;
    content.clear();
    content.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return codeFromErrno(errno, kErrorReadFault);
        if (got == 0)
            return kRegistrySuccess;
        if (content.size() + static_cast<std::size_t>(got) > kMaxFileContent)
            return kErrorFileTooLarge;
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

std::int32_t writeAll(int fd, const std::string& content)
{
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t wrote = ::write(fd, content.data() + done, content.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0)
            return codeFromErrno(errno, kErrorWriteFault);
        done += static_cast<std::size_t>(wrote);
    }
    return kRegistrySuccess;
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Brings a folder's entries to the disk. A file system that cannot sync a folder (EINVAL)
// has nothing there to lose.
std::int32_t syncFolder(const std::string& folder, FileCalls& calls)
{
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid())
        return codeFromErrno(errno, kErrorWriteFault);
    const int error = calls.sync(fd.get());
    return error == 0 || error == EINVAL ? kRegistrySuccess : codeFromErrno(error, kErrorWriteFault);
}

// Makes the missing folders of a path, private to the user as configuration folders are, each
// made lasting in its parent.
std::int32_t makeFolders(const std::string& folder, FileCalls& calls)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0)
        return kRegistrySuccess;
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string prefix = folder.substr(0, slash);
        if (::mkdir(prefix.c_str(), 0700) == 0) {
            if (const std::int32_t code = syncFolder(folderOf(prefix), calls))
                return code;
        } else if (errno != EEXIST) {
            return codeFromErrno(errno, kErrorPathNotFound);
        }
        if (slash == std::string::npos)
            return kRegistrySuccess;
    }
}

// The file a write goes to: the path itself, or where a symbolic link at the path points
// (so that the link survives the rename); a dangling link is not written through.
std::int32_t writeTarget(const std::string& path, std::string& target)
{
    struct stat info {};
    if (path.empty())
        return kErrorFileNotFound;
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno != ENOENT)
            return codeFromErrno(errno, kErrorPathNotFound);
        target = path;
        return kRegistrySuccess;
    }
    if (!S_ISLNK(info.st_mode)) {
        target = path;
        return kRegistrySuccess;
    }
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        return codeFromErrno(errno, kErrorFileNotFound);
    target = resolved;
    std::free(resolved);
    return kRegistrySuccess;
}

// A write's temporary files are named "<file>.tmp-XXXXXX"; older versions used "<file>.tmp".
std::string temporaryPrefix(const std::string& target)
{
    return target + ".tmp";
}

// Removes the temporary files of writers killed before their rename. Only the lock's holder
// writes one, so any found while holding the lock is left over.
void removeLeftovers(const std::string& target)
{
    const std::string prefix = temporaryPrefix(target).substr(target.find_last_of('/') + 1);
    DIR* folder = ::opendir(folderOf(target).c_str());
    if (!folder)
        return;
    while (const dirent* entry = ::readdir(folder))
        if (std::string_view(entry->d_name).starts_with(prefix))
            ::unlinkat(::dirfd(folder), entry->d_name, 0);
    ::closedir(folder);
}

std::string hostName()
{
    char name[256] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

// Where the file system has no locks, writers take turns by a lock file beside the settings
// file, created exclusively, as version-control tools do. It names its owner ("<pid> <host>");
// one whose owner is gone from this host, or older than kStaleLockAge, was left by a writer
// that died and is broken. Released when it goes out of scope.
class LockFile {
public:
    explicit LockFile(std::string path)
        : path_(std::move(path))
    {
    }
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;
    ~LockFile()
    {
        if (held())
            ::unlink(path_.c_str());
    }

    // One attempt to take it, breaking a stale one first: 0 (then taken() tells), or a code.
    std::int32_t tryTake()
    {
        for (int attempt = 0; attempt < 2; ++attempt) {
            FileDescriptor fd(::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
            if (fd.valid()) {
                struct stat info {};
                if (writeAll(fd.get(), std::to_string(::getpid()) + " " + hostName() + "\n") != kRegistrySuccess ||
                    ::fstat(fd.get(), &info) != 0) {
                    ::unlink(path_.c_str());
                    return kErrorWriteFault;
                }
                device_ = info.st_dev;
                inode_ = info.st_ino;
                taken_ = true;
                return kRegistrySuccess;
            }
            if (errno != EEXIST)
                return codeFromErrno(errno, kErrorAccessDenied);
            if (!breakIfStale())
                break;
        }
        return kRegistrySuccess;
    }

    bool taken() const { return taken_; }

    // Taken, and then broken by another writer (this one stood too long): what it does under
    // the lock is no longer safe.
    bool lost() const { return taken_ && !held(); }

private:
    bool held() const
    {
        struct stat info {};
        return taken_ && ::lstat(path_.c_str(), &info) == 0 && info.st_dev == device_ && info.st_ino == inode_;
    }

    // Removes the lock file if a writer that died left it; true when it is gone.
    bool breakIfStale() const
    {
        FileDescriptor fd(::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
        struct stat info {};
        if (!fd.valid() || ::fstat(fd.get(), &info) != 0)
            return errno == ENOENT;
        if (!S_ISREG(info.st_mode))
            return false;
        char owner[256] = {};
        const ssize_t got = ::read(fd.get(), owner, sizeof owner - 1);
        const std::string_view text(owner, got > 0 ? static_cast<std::size_t>(got) : 0);
        pid_t pid = 0;
        const auto [space, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
        const std::string_view host = error == std::errc() && space < text.data() + text.size() && *space == ' '
            ? text.substr(space + 1 - text.data(), text.find('\n') - (space + 1 - text.data()))
            : std::string_view();
        const bool ownerGone = pid > 0 && host == hostName() && ::kill(pid, 0) != 0 && errno == ESRCH;
        const bool old =
            std::chrono::system_clock::now() - std::chrono::system_clock::from_time_t(info.st_mtime) > kStaleLockAge;
        if (!ownerGone && !old)
            return false;
        // Only the file judged: another writer may have broken it and taken a new one meanwhile.
        struct stat current {};
        return ::lstat(path_.c_str(), &current) == 0 && current.st_dev == info.st_dev &&
            current.st_ino == info.st_ino && ::unlink(path_.c_str()) == 0;
    }

    std::string path_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    bool taken_ = false;
};

// Returned by replaceFile when the lock file was broken before the rename.
constexpr std::int32_t kLockLost = -1;

// Writes the new content to a temporary file of its own beside the file, brings it to the
// disk, renames it over the file (only while the lock is still held) and makes the rename
// lasting: without the first sync a power cut can leave an empty file on file systems that
// order data after the rename (XFS, f2fs, ext4 with data=writeback).
std::int32_t replaceFile(const std::string& target, const std::string& content, const struct stat& old,
                         const LockFile& lockFile, FileCalls& calls)
{
    removeLeftovers(target);
    std::string temporary = temporaryPrefix(target) + "-XXXXXX";
    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd.valid())
        return codeFromErrno(errno, kErrorWriteFault);
    std::int32_t code = kRegistrySuccess;
    if (::fchmod(fd.get(), old.st_mode & 07777) != 0)
        code = codeFromErrno(errno, kErrorWriteFault);
    if (code == kRegistrySuccess)
        code = writeAll(fd.get(), content);
    if (code == kRegistrySuccess)
        if (const int error = calls.sync(fd.get()))
            code = codeFromErrno(error, kErrorWriteFault);
    if (fd.close() != 0 && code == kRegistrySuccess)
        code = codeFromErrno(errno, kErrorWriteFault);
    if (code == kRegistrySuccess && lockFile.lost())
        code = kLockLost;
    if (code == kRegistrySuccess && ::rename(temporary.c_str(), target.c_str()) != 0)
        code = codeFromErrno(errno, kErrorWriteFault);
    if (code != kRegistrySuccess) {
        ::unlink(temporary.c_str());
        return code;
    }
    return syncFolder(folderOf(target), calls);
}

// Takes the open file's lock, or where the file system has none (the lock call fails outright),
// the lock file; waits for another writer until the deadline.
std::int32_t takeLock(int fd, LockFile& lockFile, FileCalls& calls, std::chrono::steady_clock::time_point deadline)
{
    std::chrono::milliseconds wait{1};
    bool lockless = false;
    for (;;) {
        if (!lockless) {
            const int error = calls.tryLock(fd);
            if (error == 0)
                return kRegistrySuccess;
            lockless = error != EWOULDBLOCK && error != EINTR;
        }
        if (lockless) {
            if (const std::int32_t code = lockFile.tryTake())
                return code;
            if (lockFile.taken())
                return kRegistrySuccess;
        }
        const auto now = calls.now();
        if (now >= deadline)
            return kErrorTimeout;
        calls.pause(std::min(wait, std::chrono::ceil<std::chrono::milliseconds>(deadline - now)));
        wait = std::min(wait * 2, std::chrono::milliseconds{50});
    }
}

} // namespace

std::int32_t readFileContent(const std::string& path, std::string& content)
{
    content.clear();
    if (path.empty())
        return kErrorFileNotFound;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid())
        return codeFromErrno(errno, kErrorReadFault);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return codeFromErrno(errno, kErrorReadFault);
    const std::int32_t code = readAll(fd.get(), info, content);
    if (code != kRegistrySuccess)
        content.clear();
    return code;
}

std::int32_t checkReplaceable(const std::string& path)
{
    std::string target;
    if (const std::int32_t code = writeTarget(path, target))
        return code;
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0)
        return codeFromErrno(errno, kErrorFileNotFound);
    if (!S_ISREG(info.st_mode))
        return kErrorAccessDenied;
    if (::faccessat(AT_FDCWD, target.c_str(), R_OK | W_OK, AT_EACCESS) != 0 ||
        ::faccessat(AT_FDCWD, folderOf(target).c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return codeFromErrno(errno, kErrorAccessDenied);
    return kRegistrySuccess;
}

std::int32_t updateFileContent(const std::string& path, const ContentChange& change, FileCalls& calls)
{
    const auto deadline = calls.now() + kLockWait;
    std::string target;
    if (const std::int32_t code = writeTarget(path, target))
        return code;
    const std::string folder = folderOf(target);
    if (const std::int32_t code = makeFolders(folder, calls))
        return code;
    // The rename needs the folder to be writable; find that out before anything is changed.
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return codeFromErrno(errno, kErrorAccessDenied);

    // The lock lives on the file, which a writer replaces: after waiting for it, make sure the
    // file locked is still the one at the path, or start again on the new one. Start again, too,
    // when a lock file was broken under this writer.
    for (bool again = false;; again = true) {
        if (again && calls.now() >= deadline)
            return kErrorTimeout;
        FileDescriptor fd(::open(target.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
        if (!fd.valid())
            return codeFromErrno(errno, kErrorAccessDenied);
        struct stat held {};
        if (::fstat(fd.get(), &held) != 0)
            return codeFromErrno(errno, kErrorReadFault);
        if (!S_ISREG(held.st_mode))
            return kErrorAccessDenied;
        LockFile lockFile(target + ".lock");
        if (const std::int32_t code = takeLock(fd.get(), lockFile, calls, deadline))
            return code;
        struct stat current {};
        if (::stat(target.c_str(), &current) != 0 || current.st_ino != held.st_ino || current.st_dev != held.st_dev)
            continue;
        if (::fstat(fd.get(), &held) != 0)
            return codeFromErrno(errno, kErrorReadFault);

        std::string before;
        if (const std::int32_t code = readAll(fd.get(), held, before))
            return code;
        std::string after;
        if (const std::int32_t code = change(before, after))
            return code;
        if (after == before)
            return kRegistrySuccess;
        // A file this store would refuse to read next time is not written.
        if (after.size() > kMaxFileContent)
            return kErrorFileTooLarge;
        const std::int32_t code = replaceFile(target, after, held, lockFile, calls);
        if (code == kLockLost)
            continue;
        if (code != kRegistrySuccess || !lockFile.lost())
            return code;
        // The lock file was broken around the rename: the write counts if its change is in the file.
        std::string now;
        if (readFileContent(target, now) == kRegistrySuccess && change(now, after) == kRegistrySuccess && after == now)
            return kRegistrySuccess;
    }
}

} // namespace tessaloom
