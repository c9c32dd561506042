// A settings file that cannot be read or written: reads give empty text, writes store nothing and
// change nothing, and the last registry result tells of the failure. The checks run in a child
// process under an unprivileged user, since file modes do not stop the superuser.
#include "settings/reg_file_registry.h"
#include "settings/settings_store.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tessaloom {
namespace {

using testing::contentOf;

namespace fs = std::filesystem;

struct Probe {
    std::string read;
    std::int32_t readResult = 0;
    std::int32_t writeResult = 0;
};

// Reads "NumRows", then writes it, as a user who owns nothing here.
Probe probeAsAnotherUser(const std::string& path)
{
    int channel[2];
    if (::pipe(channel) != 0)
        throw std::runtime_error("pipe");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        RegFileRegistry registry(path);
        SettingsStore store(registry, NumberFormat{".", ","});
        std::ostringstream report;
        report << store.ReadRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, "NumRows").text() << '\n';
        report << store.lastRegistryResult() << '\n';
        store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, "NumRows", "5");
        report << store.lastRegistryResult() << '\n';
        const std::string text = report.str();
        const bool sent = ::write(channel[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
        ::_exit(sent ? 0 : 3);
    }
    ::close(channel[1]);
    std::string text;
    char buffer[256];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the probe failed");
    std::istringstream lines(text);
    Probe probe;
    std::getline(lines, probe.read);
    lines >> probe.readResult >> probe.writeResult;
    return probe;
}

class RegFileFaultsTest : public ::testing::Test {
protected:
    testing::TempFolder folder;
    std::string path = folder.path("Tessaloom.reg");
    const std::string content =
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Marrowquill Software\\Tessaloom]\n\"NumRows\"=dword:00000003\n";

    void saveSettings(const std::string& where, fs::perms mode)
    {
        std::ofstream(where, std::ios::binary) << content;
        fs::permissions(where, mode);
    }
};

constexpr auto kReadOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
constexpr auto kReadWrite = kReadOnly | fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

TEST_F(RegFileFaultsTest, AnUnreadableFileGivesNothingAndIsLeftAlone)
{
    saveSettings(path, fs::perms::none);
    const Probe probe = probeAsAnotherUser(path);
    EXPECT_EQ(probe.read, "");
    EXPECT_NE(probe.readResult, 0);
    EXPECT_NE(probe.writeResult, 0);
    EXPECT_EQ(contentOf(path), content);
}

TEST_F(RegFileFaultsTest, AReadOnlyFileIsReadButNotReplaced)
{
    saveSettings(path, kReadOnly);
    const Probe probe = probeAsAnotherUser(path);
    EXPECT_EQ(probe.read, "3");
    EXPECT_EQ(probe.readResult, 0);
    EXPECT_NE(probe.writeResult, 0);
    EXPECT_EQ(contentOf(path), content);
}

TEST_F(RegFileFaultsTest, AFolderThatCannotBeWrittenKeepsItsFile)
{
    fs::create_directory(folder.path("locked"));
    const std::string inside = folder.path("locked/Tessaloom.reg");
    saveSettings(inside, kReadWrite);
    fs::permissions(folder.path("locked"), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                               fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const Probe probe = probeAsAnotherUser(inside);
    EXPECT_EQ(probe.read, "3");
    EXPECT_NE(probe.writeResult, 0);
    EXPECT_EQ(contentOf(inside), content);
    EXPECT_FALSE(fs::exists(inside + ".tmp"));
}

TEST_F(RegFileFaultsTest, AFolderAPipeADanglingLinkAFileAsFolderOrAFolderNotToBeEnteredFailQuietly)
{
    fs::create_directory(folder.path("folder.reg"));
    ASSERT_EQ(::mkfifo(folder.path("pipe.reg").c_str(), 0666), 0);
    fs::create_symlink(folder.path("gone/Tessaloom.reg"), folder.path("dangling.reg"));
    saveSettings(folder.path("file"), kReadWrite);
    fs::create_directory(folder.path("closed"));
    saveSettings(folder.path("closed/Tessaloom.reg"), kReadWrite);
    fs::permissions(folder.path("closed"), kReadWrite);  // no one may enter it
    for (const char* name : {"folder.reg", "pipe.reg", "dangling.reg", "file/Tessaloom.reg", "closed/Tessaloom.reg"}) {
        const Probe probe = probeAsAnotherUser(folder.path(name));
        EXPECT_EQ(probe.read, "") << name;
        EXPECT_NE(probe.readResult, 0) << name;
        EXPECT_NE(probe.writeResult, 0) << name;
    }
    EXPECT_TRUE(fs::is_directory(folder.path("folder.reg")));
    EXPECT_TRUE(fs::is_fifo(folder.path("pipe.reg")));
    EXPECT_FALSE(fs::exists(folder.path("gone")));
    EXPECT_EQ(contentOf(folder.path("file")), content);
    fs::permissions(folder.path("closed"), fs::perms::all);
    EXPECT_EQ(contentOf(folder.path("closed/Tessaloom.reg")), content);
}

} // namespace
} // namespace tessaloom
