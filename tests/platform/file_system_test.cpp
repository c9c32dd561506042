#include "platform/file_system.h"
#include "platform/random_source.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaloom {
namespace {

namespace fs = std::filesystem;

class FileTest : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("tessaloom-files-" + std::to_string(::getpid()));
    RealFileSystem files;

    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    std::string at(const char* name) const { return (dir / name).string(); }
};

#ifndef _WIN32  // pipes and symbolic links as POSIX makes them
TEST_F(FileTest, OnlyRegularFilesExist)
{
    std::ofstream(at("picture.jpg")) << "x";
    fs::create_directory(at("folder.jpg"));
    ASSERT_EQ(::mkfifo(at("pipe.jpg").c_str(), 0600), 0);
    fs::create_symlink(at("picture.jpg"), at("link.jpg"));
    fs::create_symlink(at("gone.jpg"), at("dangling.jpg"));

    EXPECT_TRUE(files.fileExists(at("picture.jpg")));
    EXPECT_TRUE(files.fileExists(at("link.jpg")));
    EXPECT_FALSE(files.fileExists(at("folder.jpg")));
    EXPECT_FALSE(files.fileExists(at("pipe.jpg")));
    EXPECT_FALSE(files.fileExists(at("dangling.jpg")));
    EXPECT_FALSE(files.fileExists(at("missing.jpg")));
    EXPECT_FALSE(files.fileExists(""));
    EXPECT_FALSE(files.fileExists("/dev/null"));
}
#endif

TEST(RandomTest, NumbersAreUniformInTheHalfOpenUnitRange)
{
    ClockSeededRandom random;
    random.seed(12345);
    std::array<int, 10> buckets{};
    constexpr int kDraws = 100000;
    for (int i = 0; i < kDraws; ++i) {
        const float r = random.next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        ++buckets[static_cast<int>(r * 10)];
    }
    for (int count : buckets) {
        EXPECT_GT(count, kDraws / 10 * 9 / 10);
        EXPECT_LT(count, kDraws / 10 * 11 / 10);
    }
}

TEST(RandomTest, ClockSeedsDifferFromRunToRun)
{
    ClockSeededRandom a;
    ClockSeededRandom b;
    a.seedFromClock();
    b.seed(0);
    b.seedFromClock();
    // Two clock seeds taken a moment apart give different sequences.
    bool differ = false;
    for (int i = 0; i < 4; ++i)
        differ = differ || a.next() != b.next();
    EXPECT_TRUE(differ);
}

} // namespace
} // namespace tessaloom
