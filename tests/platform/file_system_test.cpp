#include "platform/file_system.h"
#include "platform/random_source.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tessaloom {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32 // pipes and symbolic links as POSIX makes them
// A folder, pipe or device named as a picture must not pass, or the loader would hang on it.
TEST(RealFileSystem, OnlyRegularFilesExist)
{
    const fs::path dir = fs::temp_directory_path() / ("tessaloom-files-" + std::to_string(::getpid()));
    const auto at = [&dir](const char* name) { return (dir / name).string(); };
    fs::remove_all(dir);
    fs::create_directories(dir / "folder.jpg");
    std::ofstream(at("picture.jpg")) << "x";
    ASSERT_EQ(::mkfifo(at("pipe.jpg").c_str(), 0600), 0);
    fs::create_symlink(at("picture.jpg"), at("link.jpg"));
    fs::create_symlink(at("gone.jpg"), at("dangling.jpg"));

    const RealFileSystem files;
    EXPECT_TRUE(files.fileExists(at("picture.jpg")) && files.fileExists(at("link.jpg")));
    for (const std::string& path :
         {at("folder.jpg"), at("pipe.jpg"), at("dangling.jpg"), std::string(), std::string("/dev/null")})
        EXPECT_FALSE(files.fileExists(path)) << path;
    fs::remove_all(dir);
}
#endif

// Uniform in [0, 1) from a fixed seed; two generators seeded from the clock a moment apart
// go different ways.
TEST(ClockSeededRandom, NumbersAreUniformInTheHalfOpenUnitRangeAndClockSeedsDiffer)
{
    ClockSeededRandom random, a, b;
    random.seed(12345);
    std::array<int, 10> buckets{};
    for (int i = 0; i < 100000; ++i) {
        const float r = random.next();
        ASSERT_TRUE(r >= 0.0f && r < 1.0f) << r;
        ++buckets[static_cast<int>(r * 10)];
    }
    for (int count : buckets)
        EXPECT_NEAR(count, 10000, 1000);
    a.seedFromClock();
    b.seedFromClock();
    EXPECT_NE((std::array{a.next(), a.next(), a.next()}), (std::array{b.next(), b.next(), b.next()}));
}

} // namespace
} // namespace tessaloom
