// Several programs sharing the settings file: concurrent writers, and writers killed mid-write.
#include "settings/reg_file_document.h"
#include "settings/reg_file_registry.h"
#include "settings/settings_store.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace tessaloom {
namespace {

using testing::contentOf;

const NumberFormat kFormat{".", ","};

std::string valueName(int index)
{
    return "Value" + std::to_string(index);
}

bool exitedCleanly(pid_t child)
{
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(RegFileProcessesTest, TwoProcessesWritingAtTheSameMomentLoseNothing)
{
    testing::TempFolder folder;
    const std::string path = folder.path("Tessaloom.reg");
    constexpr int kEach = 500;
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = ::fork();
        if (writers[w] == 0) {
            ::close(start[1]);
            char go;
            [[maybe_unused]] const auto ignored = ::read(start[0], &go, 1);  // returns once the parent closes
            RegFileRegistry registry(path);
            SettingsStore store(registry, kFormat);
            for (int i = 0; i < kEach; ++i)
                store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, valueName(w * kEach + i),
                                         "writer " + std::to_string(w) + " value " + std::to_string(i));
            ::_exit(0);
        }
    }
    ::close(start[0]);
    ::close(start[1]);
    EXPECT_TRUE(exitedCleanly(writers[0]));
    EXPECT_TRUE(exitedCleanly(writers[1]));

    RegFileRegistry registry(path);
    SettingsStore store(registry, kFormat);
    int found = 0;
    for (int w = 0; w < 2; ++w)
        for (int i = 0; i < kEach; ++i)
            found += store.ReadRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, valueName(w * kEach + i)) ==
                     SettingValue("writer " + std::to_string(w) + " value " + std::to_string(i));
    EXPECT_EQ(found, 2 * kEach);
}

TEST(RegFileProcessesTest, AWriterKilledAtAnyMomentLeavesAWholeFileOfOldOrNewValues)
{
    testing::TempFolder folder;
    const std::string path = folder.path("Tessaloom.reg");
    constexpr int kValues = 30;
    std::vector<std::string> current(kValues);
    {
        RegFileRegistry registry(path);
        SettingsStore store(registry, kFormat);
        for (int i = 0; i < kValues; ++i) {
            current[i] = "round 0 value " + std::to_string(i);
            store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, valueName(i), current[i]);
        }
    }

    std::mt19937 random(20240);
    for (int round = 1; round <= 200; ++round) {
        int progress[2];
        ASSERT_EQ(::pipe(progress), 0);
        const pid_t writer = ::fork();
        if (writer == 0) {
            ::close(progress[0]);
            RegFileRegistry registry(path);
            SettingsStore store(registry, kFormat);
            for (int i = 0; i < kValues; ++i) {
                store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, valueName(i),
                                         "round " + std::to_string(round) + " value " + std::to_string(i));
                [[maybe_unused]] const auto ignored = ::write(progress[1], "+", 1);
            }
            ::_exit(0);
        }
        ::close(progress[1]);
        // Kill after a random number of whole writes and a random share of the next one.
        char done;
        for (unsigned writes = random() % 3; writes > 0 && ::read(progress[0], &done, 1) == 1; --writes) {
        }
        volatile unsigned spun = 0;
        for (unsigned spin = random() % 200000; spin > 0; --spin)
            spun = spun + 1;
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);
        ::close(progress[0]);

        const std::string content = contentOf(path);
        const RegFileDocument document = RegFileDocument::parse(content);
        ASSERT_EQ(document.serialize(), content) << "round " << round << ": not a whole file";
        const std::vector<NamedValue> values = document.values(kHkeyLocalMachine, kSettingsKeyPath);
        ASSERT_EQ(values.size(), static_cast<std::size_t>(kValues)) << "round " << round;
        for (int i = 0; i < kValues; ++i) {
            const std::string text(values[i].value.bytes.begin(), values[i].value.bytes.end() - 1);
            const std::string fresh = "round " + std::to_string(round) + " value " + std::to_string(i);
            ASSERT_TRUE(text == current[i] || text == fresh) << "round " << round << ": " << text;
            current[i] = text;
        }
    }
}

} // namespace
} // namespace tessaloom
