// Times the settings store on its settings file, as the game uses it:
//   settings_bench [folder]   (a fresh folder under the current one when not given)
// One write with 30 values in the file (lock, re-read, replace), one read, and 4500 writes of
// "FlipSpeed" in a row, as a keyboard sweep of the slider makes them.
#include "settings/reg_file_registry.h"
#include "settings/settings_store.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <stdlib.h>

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
    std::filesystem::remove(path);
    RegFileRegistry registry(path);
    SettingsStore store(registry, NumberFormat{".", ","});
    fillAsTheGameDoes(store);

    std::vector<double> writes;
    for (int i = 0; i < 2000; ++i) {
        const auto start = Clock::now();
        store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, "Tries4", std::int16_t{static_cast<std::int16_t>(i)});
        writes.push_back(millisecondsSince(start));
    }
    std::vector<double> reads;
    for (int i = 0; i < 5000; ++i) {
        const auto start = Clock::now();
        const SettingValue value = store.ReadRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, "ImagePath05");
        reads.push_back(millisecondsSince(start));
        if (value.isEmpty())
            return 1;
    }
    const auto sweep = Clock::now();
    for (std::int32_t speed = 500; speed < 5000; ++speed)
        store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, "FlipSpeed", speed);
    const double sweepMs = millisecondsSince(sweep);

    const Summary write = summarise(writes);
    const Summary read = summarise(reads);
    std::printf("settings file: %s (%ju bytes, 30 values)\n", path.c_str(),
                static_cast<std::uintmax_t>(std::filesystem::file_size(path)));
    std::printf("one write:   median %.3f ms, 90th percentile %.3f ms (target: median <= 1 ms)\n", write.median,
                write.p90);
    std::printf("one read:    median %.3f ms, 90th percentile %.3f ms (target: median <= 0.2 ms)\n", read.median,
                read.p90);
    std::printf("4500 writes of FlipSpeed: %.0f ms in all (target: <= 2000 ms)\n", sweepMs);
    if (argc <= 1)
        std::filesystem::remove_all(folder);
    return 0;
}
