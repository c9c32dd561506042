// The settings file as the store's registry off Windows: where it lives, how it is written, what
// happens when it cannot be read or written, and programs sharing it.
#include "registry_access.h"
#include "settings/reg_file_document.h"
#include "settings/reg_file_registry.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace tessaloom {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::readFrom;
using testing::writeTo;

const std::string kSettingsFile =
    "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Marrowquill Software\\Tessaloom]\n\"NumRows\"=dword:00000003\n";

// Runs body in a child process, which exits with what body returns.
pid_t inChild(const auto& body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    return child;
}

// The child's exit code; -1 when it did not exit by itself.
int exitCodeOf(pid_t child)
{
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A file's bytes, empty when it cannot be read.
std::string contentOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// Flushing to the disk left out where thousands of writes test something else; when set, a file
// system without locks.
struct NoSync : FileCalls {
    int lockError = 0;
    int tryLock(int fd) override { return lockError ? lockError : FileCalls::tryLock(fd); }
    int sync(int) override { return 0; }
};

// The system's calls, but for a clock that moves only while a writer pauses, and, when set, a
// failing lock call and disk, and flushes recorded with what the settings file then holds.
struct ScriptedCalls : NoSync {
    std::chrono::milliseconds waited{0};
    std::function<void()> onPause = [] {}, onSync = [] {};
    int syncError = 0;
    std::string file;
    std::vector<std::string> flushed;
    std::chrono::steady_clock::time_point now() override { return std::chrono::steady_clock::time_point(waited); }
    void pause(std::chrono::milliseconds length) override { waited += length, onPause(); }
    int sync(int fd) override
    {
        struct stat info {};
        ::fstat(fd, &info);
        flushed.push_back((S_ISDIR(info.st_mode) ? "folder, file holds " : "new file, file holds ") + contentOf(file));
        std::exchange(onSync, [] {})();
        return syncError;
    }
};

class RegFileRegistryTest : public ::testing::Test {
protected:
    testing::TempFolder folder;
    std::string path = folder.path("config/Marrowquill Software/Tessaloom.reg");
    RegFileRegistry registry{path};
    ScriptedCalls calls;
    RegFileRegistry scripted{path, calls};

    // Nothing is left beside the settings file.
    bool aloneInFolder() const { return std::distance(fs::directory_iterator(fs::path(path).parent_path()), {}) == 1; }
};

TEST_F(RegFileRegistryTest, TheFirstWriteMakesAPrivateFolderAndWritesAreSyncedBeforeTheRenameAndTheFolderAfter)
{
    calls.file = path;
    calls.lockError = ENOLCK; // a file system without locks: writes still go ahead
    EXPECT_TRUE(readFrom(scripted, "NumRows").isEmpty());
    EXPECT_FALSE(fs::exists(folder.path("config")));

    writeTo(scripted, "NumRows", "3");
    EXPECT_EQ(fs::status(folder.path("config/Marrowquill Software")).permissions() & fs::perms::all,
              fs::perms::owner_all);
    // Each folder made is synced in its parent; the key is written first, then the value.
    const std::string key = kSettingsFile.substr(0, kSettingsFile.find("\"NumRows"));
    EXPECT_EQ(calls.flushed,
              (std::vector<std::string>{"folder, file holds ", "folder, file holds ", "new file, file holds ",
                                        "folder, file holds " + key, "new file, file holds " + key,
                                        "folder, file holds " + kSettingsFile}));
    calls.syncError = EIO; // a disk that fails: nothing is replaced, nothing left beside it
    writeTo(scripted, "NumRows", "6");
    EXPECT_EQ(contentOf(path), kSettingsFile);
    EXPECT_TRUE(aloneInFolder());
}

// A link at the path is written through, the file's permissions are kept, and files up to four
// megabytes are read and written within that size, larger ones neither.
TEST_F(RegFileRegistryTest, TheFileIsWrittenThroughALinkWithItsPermissionsAndWithinFourMegabytes)
{
    fs::create_directories(fs::path(path).parent_path());
    std::string atLimit = kSettingsFile + std::string(kMaxFileContent - kSettingsFile.size(), '\n');
    std::ofstream(folder.path("elsewhere.reg")) << atLimit;
    fs::permissions(folder.path("elsewhere.reg"), fs::perms(0640));
    fs::create_symlink("../../elsewhere.reg", path);
    EXPECT_EQ(readFrom(registry, "NumRows"), SettingValue(3));
    writeTo(registry, "NumRows", "5");
    writeTo(registry, "FlipSpeed", "700"); // would not be read again
    atLimit[kSettingsFile.size() - 2] = '5';
    // Not EXPECT_EQ: a diff of two texts of megabytes takes minutes.
    EXPECT_TRUE(contentOf(path) == atLimit && fs::is_symlink(path));
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));

    std::ofstream(path, std::ios::app) << '\n';
    writeTo(registry, "NumRows", "6");
    EXPECT_TRUE(readFrom(registry, "NumRows").isEmpty() && contentOf(path) == atLimit + '\n');
}

// A write waits for another writer two seconds at most, and a read never waits. Without file
// locks, a lock file beside the settings file makes writers take turns: one left by a writer that
// died (its process gone from this host, or older than kStaleLockAge) is broken, a live one is
// waited for. A writer whose lock file was broken while it stood starts again instead of renaming
// over the other's write.
TEST_F(RegFileRegistryTest, AWriteWaitsForAnotherWriterTwoSecondsAtMostWithOrWithoutFileLocks)
{
    writeTo(registry, "NumRows", "3");
    // A second instance that took the file's lock and then stopped (in a debugger, say).
    pid_t holder = inChild([&] { return ::flock(::open(path.c_str(), O_RDWR), LOCK_EX) || ::raise(SIGSTOP); });
    int status = 0;
    ASSERT_TRUE(::waitpid(holder, &status, WUNTRACED) == holder && WIFSTOPPED(status));

    writeTo(scripted, "NumRows", "5");
    EXPECT_TRUE(calls.waited >= kLockWait && calls.waited < kLockWait + 100ms) << calls.waited.count();
    EXPECT_EQ(readFrom(scripted, "NumRows"), SettingValue(3));

    // The holder going away during the wait lets the write through.
    calls.waited = 0ms;
    calls.onPause = [&] {
        if (calls.waited >= 300ms && holder > 0)
            ::kill(holder, SIGKILL), exitCodeOf(holder), holder = 0;
    };
    writeTo(scripted, "NumRows", "5");
    EXPECT_LT(calls.waited, 400ms);
    EXPECT_EQ(readFrom(scripted, "NumRows"), SettingValue(5));
    if (holder > 0)
        ::kill(holder, SIGKILL), exitCodeOf(holder);

    // Without file locks: a lock file left by a writer gone, one of a live writer, one that aged.
    ScriptedCalls otherCalls;
    calls.lockError = otherCalls.lockError = ENOLCK;
    RegFileRegistry other(path, otherCalls);
    calls.waited = 0ms;
    const std::string lock = path + ".lock";
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    const pid_t gone = inChild([] { return 0; });
    exitCodeOf(gone);
    std::ofstream(lock) << gone << ' ' << host << '\n';
    writeTo(scripted, "NumRows", "4");
    EXPECT_EQ(calls.waited, 0ms);

    std::ofstream(lock) << ::getpid() << ' ' << host << '\n';
    writeTo(scripted, "NumRows", "5");
    EXPECT_GE(calls.waited, kLockWait);
    EXPECT_EQ(readFrom(scripted, "NumRows"), SettingValue(4));
    fs::last_write_time(lock, fs::file_time_type::clock::now() - kStaleLockAge - 1s);
    writeTo(scripted, "NumRows", "5");
    EXPECT_EQ(readFrom(scripted, "NumRows"), SettingValue(5));

    calls.onSync = [&] {
        std::ofstream(lock) << ::getpid() << ' ' << host << '\n'; // as if this writer stood too long
        fs::last_write_time(lock, fs::file_time_type::clock::now() - kStaleLockAge - 1s);
        writeTo(other, "FlipSpeed", "700");
    };
    writeTo(scripted, "NumRows", "6");
    EXPECT_EQ(readFrom(scripted, "NumRows"), SettingValue(6));
    EXPECT_EQ(readFrom(scripted, "FlipSpeed"), SettingValue(700));
    EXPECT_TRUE(aloneInFolder());
}

// Reads "NumRows", then writes 5 to it, as a user who owns nothing here (file modes do not stop
// the superuser); exits with the number read (0 for nothing, 9 for any other value), plus 10 when
// the write went through.
int probeAsAnotherUser(const std::string& path)
{
    return exitCodeOf(inChild([&] {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 64;
        RegFileRegistry registry(path);
        const SettingValue rows = readFrom(registry, "NumRows");
        writeTo(registry, "NumRows", "5");
        const int read = rows == SettingValue(3) ? 3 : rows.isEmpty() ? 0 : 9;
        return read + (readFrom(registry, "NumRows") == SettingValue(5) ? 10 : 0);
    }));
}

TEST_F(RegFileRegistryTest, FilesAndFoldersThatCannotBeUsedGiveAbsentValuesAndStoreNothing)
{
    const std::vector<std::string> kept = {"unreadable.reg", "readonly.reg", "locked/Tessaloom.reg",
                                           "closed/Tessaloom.reg", "file"};
    for (const char* name : {"locked", "closed", "folder.reg"})
        fs::create_directory(folder.path(name));
    ASSERT_EQ(::mkfifo(folder.path("pipe.reg").c_str(), 0666), 0);
    fs::create_symlink(folder.path("gone/Tessaloom.reg"), folder.path("dangling.reg"));
    for (const std::string& name : kept)
        std::ofstream(folder.path(name)) << kSettingsFile;
    // Only its folder stops a write to the locked file: the file may be written, not replaced. No
    // one may enter the closed folder.
    // clang-format off
    for (const auto& [name, mode] : {std::pair{"locked/Tessaloom.reg", 0777}, {"unreadable.reg", 0},
                                     {"readonly.reg", 0444}, {"locked", 0555}, {"closed", 0666}})
        fs::permissions(folder.path(name), fs::perms(mode));
    // What each reads; none is written.
    for (const auto& [name, read] : {std::pair{"unreadable.reg", 0}, {"readonly.reg", 3}, {"locked/Tessaloom.reg", 3},
                                     {"closed/Tessaloom.reg", 0}, {"folder.reg", 0}, {"pipe.reg", 0},
                                     {"dangling.reg", 0}, {"file/Tessaloom.reg", 0}})
        EXPECT_EQ(probeAsAnotherUser(folder.path(name)), read) << name;
    // clang-format on
    EXPECT_TRUE(fs::is_directory(folder.path("folder.reg")) && fs::is_fifo(folder.path("pipe.reg")) &&
                !fs::exists(folder.path("gone")));
    for (const char* name : {"closed", "locked", "unreadable.reg"})
        fs::permissions(folder.path(name), fs::perms::all);
    for (const std::string& name : kept)
        EXPECT_EQ(contentOf(folder.path(name)), kSettingsFile) << name;
}

std::string data(int round, int index)
{
    return "round " + std::to_string(round) + " value " + std::to_string(index);
}

// Writes "Value<first>" to "Value<end - 1>", each holding data(round, index), calling done() after each.
void writeValues(
    const std::string& path, int round, int first, int end, int lockError = 0,
    const std::function<void()>& done = [] {})
{
    NoSync calls;
    calls.lockError = lockError;
    RegFileRegistry registry(path, calls);
    for (int i = first; i < end; ++i)
        writeTo(registry, "Value" + std::to_string(i), data(round, i)), done();
}

TEST_F(RegFileRegistryTest, TwoProcessesWritingAtTheSameMomentLoseNothingWithOrWithoutFileLocks)
{
    for (const int lockError : {0, ENOLCK}) {
        const pid_t first = inChild([&] { return writeValues(path, lockError, 0, 300, lockError), 0; });
        const pid_t second = inChild([&] { return writeValues(path, lockError, 300, 600, lockError), 0; });
        EXPECT_EQ(exitCodeOf(first) | exitCodeOf(second), 0);
        int found = 0;
        for (int i = 0; i < 600; ++i)
            found += readFrom(registry, "Value" + std::to_string(i)) == SettingValue(data(lockError, i));
        EXPECT_EQ(found, 600) << lockError;
    }
}

TEST_F(RegFileRegistryTest, AWriterKilledAtAnyMomentLeavesAWholeFileOfOldOrNewValuesAndTheNextWriteGoesThrough)
{
    constexpr int kValues = 30, kRounds = 200;
    writeValues(path, 0, 0, kValues);
    std::vector<int> roundHeld(kValues, 0); // the round whose data each value holds
    std::mt19937 random(20240);
    for (int round = 1; round <= kRounds; ++round) {
        int progress[2];
        ASSERT_EQ(::pipe(progress), 0);
        const pid_t writer = inChild([&] {
            writeValues(path, round, 0, kValues, 0, [&] { [[maybe_unused]] auto sent = ::write(progress[1], "+", 1); });
            return 0;
        });
        ::close(progress[1]);
        // Kill after a random number of whole writes and a random share of the next one.
        char done;
        for (unsigned writes = random() % 3; writes > 0 && ::read(progress[0], &done, 1) == 1; --writes) {}
        volatile unsigned spin = random() % 200000;
        while (spin > 0)
            spin = spin - 1;
        ::kill(writer, SIGKILL);
        exitCodeOf(writer);
        ::close(progress[0]);

        const std::string content = contentOf(path);
        const RegFileDocument document = RegFileDocument::parse(content);
        ASSERT_EQ(document.serialize(), content) << "round " << round << ": not a whole file";
        const std::vector<NamedValue> values = document.values(kHkeyLocalMachine, kSettingsKeyPath);
        ASSERT_EQ(values.size(), static_cast<std::size_t>(kValues)) << "round " << round;
        for (int i = 0; i < kValues; ++i) {
            const std::string text(values[i].value.bytes.begin(), values[i].value.bytes.end() - 1);
            ASSERT_TRUE(text == data(roundHeld[i], i) || text == data(round, i)) << "round " << round << ": " << text;
            roundHeld[i] = text == data(round, i) ? round : roundHeld[i];
        }
    }
    // Some of the writers were killed with their temporary file written, which must not stop this one.
    writeValues(path, kRounds + 1, 0, 1);
    EXPECT_EQ(readFrom(registry, "Value0"), SettingValue(data(kRounds + 1, 0)));
    EXPECT_TRUE(aloneInFolder());
}

} // namespace
} // namespace tessaloom
