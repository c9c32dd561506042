// Times choosing a large JPEG as the picture under the board, decoded straight to the box
// against decoded at full size and then scaled, with the peak memory each adds; then choosing
// a picture already shown once, and the game window's start-up with ten valid picture slots.
#include "game/game_window.h"
#include "game/game_window_host.h"
#include "game/qt/game_window_widget.h"
#include "help/help_commands.h"
#include "platform/file_system.h"
#include "platform/qt/qt_application_info.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_picture_loader.h"
#include "platform/random_source.h"
#include "settings/reg_file_registry.h"
#include "settings/settings_store.h"
#include "settings/value_names.h"
#include "support/bench_support.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace tessaloom;
using namespace tessaloom::bench;

namespace {

struct NoHost final : GameWindowHost {
    bool showPictureDialog() override { return true; }
    void showAboutBox() override {}
    void endProgram() override {}
};

long statusKilobytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    return -1;
}

// Resets the kernel's peak-resident counter so the next peak belongs to what runs after.
void resetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Peak memory added by one run of the work, in megabytes.
double peakAddedMegabytes(const std::function<void()>& work)
{
    resetPeakMemory();
    const long before = statusKilobytes("VmRSS:");
    work();
    return (statusKilobytes("VmHWM:") - before) / 1024.0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString photo = makePhoto(dir.filePath(QStringLiteral("photo.jpg")), 6000, 4000);

    std::printf("Decoding a 6000 x 4000 JPEG for the 321 x 240 picture box (median of 9):\n");
    // Memory first, on a heap that has not yet held a decoded picture.
    const double directPeak = peakAddedMegabytes([&] { QtPictureLoader::decodeToBox(photo, kBoardPictureBox); });
    const double fullPeak = peakAddedMegabytes([&] { QtPictureLoader::decodeFullThenScale(photo, kBoardPictureBox); });
    const double direct = medianMilliseconds(9, [&] { QtPictureLoader::decodeToBox(photo, kBoardPictureBox); });
    const double full = medianMilliseconds(9, [&] { QtPictureLoader::decodeFullThenScale(photo, kBoardPictureBox); });
    std::printf("  %-28s %9s %14s\n", "path", "time", "peak added");
    std::printf("  %-28s %6.1f ms %11.1f MB\n", "straight to the box", direct, directPeak);
    std::printf("  %-28s %6.1f ms %11.1f MB\n", "full size, then scaled", full, fullPeak);
    std::printf("  ratio %.2f (target <= 0.25)\n\n", direct / full);

    // Choosing it in the game window: the logic's handler and the widget showing the result.
    QtMessageBoxes boxes;
    QtPictureLoader pictures;
    RealFileSystem files;
    ClockSeededRandom random;
    // The settings file the program really uses off Windows, so start-up pays for its reads.
    RegFileRegistry registry(dir.filePath(QStringLiteral("Tessaloom.reg")).toStdString());
    SettingsStore settings(registry);
    NoHost host;
    NoHelp noHelp;
    QtApplicationInfo applicationInfo;
    HelpCommands help(applicationInfo, noHelp, noHelp);
    for (int slot = 1; slot <= kPictureSlots; ++slot) {
        const QString path = dir.filePath(QStringLiteral("slot%1.jpg").arg(slot));
        QImage(64, 48, QImage::Format_RGB32).save(path, "JPEG");
        settings.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, pictureLabelValueName(slot),
                                    "Slot " + std::to_string(slot));
        settings.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, picturePathValueName(slot),
                                    path.toStdString());
    }
    settings.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, picturePathValueName(1), photo.toStdString());
    GameWindow game({boxes, pictures, files, random, settings, host, help});

    const double startUp = medianMilliseconds(21, [&] { game.Form_Load(); });
    GameWindowWidget window(game);
    const auto choose = [&](int entry) {
        game.userSelectsPicture(entry);
        window.refresh();
    };
    QElapsedTimer timer;
    resetPeakMemory();
    const long before = statusKilobytes("VmRSS:");
    timer.start();
    choose(1);
    const double firstChoice = timer.nsecsElapsed() / 1e6;
    const double firstPeak = (statusKilobytes("VmHWM:") - before) / 1024.0;
    const double again = medianMilliseconds(21, [&] {
        choose(0);
        choose(1);
    }) / 2;
    std::printf("Game window:\n");
    std::printf("  choosing the 6000 x 4000 JPEG        %6.1f ms, %5.1f MB peak added (targets 100 ms, 10 MB)\n",
                firstChoice, firstPeak);
    std::printf("  choosing a picture shown before      %6.2f ms (target 5 ms)\n", again);
    std::printf("  Form_Load with ten valid slots       %6.2f ms (target 20 ms)\n", startUp);
    return 0;
}
