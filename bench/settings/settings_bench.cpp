// Times the settings store on its settings file, as the game uses it:
//   settings_bench [folder]   (a fresh folder under the current one when not given; it must lie
//                              on a real disk, where syncing costs what it costs the player)
// One write with 30 values in the file (lock, re-read, replace, sync), one read, and 4500 writes
// of "FlipSpeed" in a row, as a keyboard sweep of the slider makes them, each beside the same
// without syncing; then one read of a 4 MB file of empty lines, its time and its peak of memory.
#include "settings/file_content.h"
#include "settings/reg_file_registry.h"
#include "settings/settings_store.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <new>
#include <numeric>
#include <string>
#include <vector>

#include <stdlib.h>

// Every allocation is counted, so that a read's peak of memory can be told.
namespace {
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};
} // namespace

void* operator new(std::size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    const std::size_t live = liveBytes += malloc_usable_size(block);
    for (std::size_t peak = peakBytes; live > peak && !peakBytes.compare_exchange_weak(peak, live);) {}
    return block;
}

void operator delete(void* block) noexcept
{
    if (block)
        liveBytes -= malloc_usable_size(block);
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    operator delete(block);
}

namespace {

using namespace tessaloom;
using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Summary {
    double median;
    double p90;
};

Summary summarise(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples[samples.size() * 9 / 10]};
}

// The values the game keeps: 30 of them, labels and paths of every picture slot in use.
void fillAsTheGameDoes(SettingsStore& store)
{
    auto write = [&](const std::string& name, const SettingValue& data) {
        store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name, data);
    };
    write("NumRows", "4");
    write("FlipSpeed", std::int32_t{3000});
    for (int rows = 2; rows <= 6; ++rows)
        write("Tries" + std::to_string(rows), std::int16_t{static_cast<std::int16_t>(10 + rows)});
    for (int slot = 1; slot <= 10; ++slot) {
        const std::string number = (slot < 10 ? "0" : "") + std::to_string(slot);
        write("ImageLabel" + number, "Holiday picture " + number);
        write("ImagePath" + number, "/home/player/Pictures/Holidays/2024/beach-" + number + ".jpg");
    }
    write("ImageLabel11", "spare");
    write("ImagePath11", "/spare");
    write("Extra", "1");
}

struct Unsynced : FileCalls {
    int sync(int) override { return 0; }
};

struct WriteFigures {
    Summary write;
    double sweepMs;
};

WriteFigures timeWrites(const std::string& path, FileCalls& calls)
{
    std::filesystem::remove(path);
    RegFileRegistry registry(path, calls);
    SettingsStore store(registry, NumberFormat{".", ","});
    fillAsTheGameDoes(store);
    std::vector<double> writes;
    for (int i = 0; i < 500; ++i) {
        const auto start = Clock::now();
        store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, "Tries4",
                                 std::int16_t{static_cast<std::int16_t>(i)});
        writes.push_back(millisecondsSince(start));
    }
    const auto sweep = Clock::now();
    for (std::int32_t speed = 500; speed < 5000; ++speed)
        store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, "FlipSpeed", speed);
    return {summarise(writes), millisecondsSince(sweep)};
}

} // namespace

int main(int argc, char** argv)
{
    std::string folder;
    if (argc > 1) {
        folder = argv[1];
        std::filesystem::create_directories(folder);
    } else {
        std::string pattern = (std::filesystem::current_path() / "settings-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            return 1;
        folder = pattern;
    }
    const std::string path = folder + "/Tessaloom.reg";
    Unsynced unsynced;
    const WriteFigures fast = timeWrites(path, unsynced);
    FileCalls system;
    const WriteFigures synced = timeWrites(path, system);

    RegFileRegistry registry(path);
    SettingsStore store(registry, NumberFormat{".", ","});
    std::vector<double> reads;
    for (int i = 0; i < 5000; ++i) {
        const auto start = Clock::now();
        const SettingValue value = store.ReadRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, "ImagePath05");
        reads.push_back(millisecondsSince(start));
        if (value.isEmpty())
            return 1;
    }
    std::printf("settings file: %s (%ju bytes, 30 values)\n", path.c_str(),
                static_cast<std::uintmax_t>(std::filesystem::file_size(path)));
    const Summary read = summarise(reads);

    // The largest file read: the settings under 4 MB of empty lines.
    const std::string head = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Marrowquill Software\\Tessaloom]\n"
                             "\"NumRows\"=dword:00000003\n";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << head << std::string(kMaxFileContent - head.size(), '\n');
    std::vector<double> largeReads;
    std::size_t largePeak = 0;
    for (int i = 0; i < 27; ++i) { // as many as the game's start-up makes
        const std::size_t before = liveBytes;
        peakBytes = before;
        const auto start = Clock::now();
        const SettingValue value = store.ReadRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, "NumRows");
        largeReads.push_back(millisecondsSince(start));
        largePeak = std::max(largePeak, peakBytes - before);
        if (value != SettingValue(std::int32_t{3}))
            return 1;
    }
    const Summary large = summarise(largeReads);

    std::printf(
        "one write:   median %.3f ms synced (target <= 2 ms), %.3f ms unsynced; 90th percentile %.3f / %.3f ms\n",
        synced.write.median, fast.write.median, synced.write.p90, fast.write.p90);
    std::printf("4500 writes of FlipSpeed: %.0f ms synced (target <= 6000 ms), %.0f ms unsynced\n", synced.sweepMs,
                fast.sweepMs);
    std::printf("one read:    median %.3f ms, 90th percentile %.3f ms (target: median <= 0.2 ms)\n", read.median,
                read.p90);
    std::printf("one read of a 4 MB file of empty lines: median %.2f ms, 27 reads %.0f ms; peak memory %.1f MB "
                "(%.2f times the file)\n",
                large.median, std::accumulate(largeReads.begin(), largeReads.end(), 0.0),
                static_cast<double>(largePeak) / (1 << 20), static_cast<double>(largePeak) / kMaxFileContent);
    if (argc <= 1)
        std::filesystem::remove_all(folder);
    return 0;
}
