// Times the picture dialog's preview of a large JPEG against the game window's choice of the
// same file: both go through the program's picture service, decoding straight to their box.
#include "game/game_window.h"
#include "game/game_window_host.h"
#include "game/stored_settings.h"
#include "help/help_commands.h"
#include "pictures/picture_dialog.h"
#include "pictures/picture_dialog_host.h"
#include "pictures/qt/picture_dialog_widget.h"
#include "platform/file_system.h"
#include "platform/qt/qt_application_info.h"
#include "platform/qt/qt_file_chooser.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/random_source.h"
#include "settings/reg_file_registry.h"
#include "settings/settings_store.h"
#include "support/bench_support.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

using namespace tessaloom;
using namespace tessaloom::bench;

namespace {

struct NoGameHost final : GameWindowHost {
    bool showPictureDialog() override { return true; }
    void showAboutBox() override {}
    void endProgram() override {}
};

struct NoDialogHost final : PictureDialogHost {
    void showAboutBox() override {}
    void endProgram() override {}
};

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const std::string photo = makePhoto(dir.filePath(QStringLiteral("photo.jpg")), 6000, 4000).toStdString();

    QtMessageBoxes boxes;
    QtFileChooser chooser;
    RealFileSystem files;
    ClockSeededRandom random;
    RegFileRegistry registry(dir.filePath(QStringLiteral("Tessaloom.reg")).toStdString());
    SettingsStore settings(registry);
    settings.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, valueName(stored::PictureLabel, 1), "Photo");
    settings.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, valueName(stored::PicturePath, 1), photo);
    NoGameHost gameHost;
    NoDialogHost dialogHost;
    NoHelp noHelp;
    QtApplicationInfo applicationInfo;
    HelpCommands help(applicationInfo, noHelp, noHelp);

    // Each run starts with an empty picture cache, so every run decodes the file.
    const double preview = medianMilliseconds(9, [&] {
        ProgramPictures pictures;
        PictureDialog dialog({boxes, pictures.prepared, files, chooser, settings, dialogHost, help}, {});
        dialog.Form_Load();
    });
    const double opening = medianMilliseconds(9, [&] {
        ProgramPictures pictures;
        PictureDialog dialog({boxes, pictures.prepared, files, chooser, settings, dialogHost, help}, {});
        dialog.Form_Load();
        PictureDialogWidget window(dialog);
    });
    const double choice = medianMilliseconds(9, [&] {
        ProgramPictures pictures;
        GameWindow game({boxes, pictures.prepared, files, random, settings, gameHost, help});
        game.LoadPictureList();
        game.userSelectsPicture(1);
    });
    ProgramPictures shared;
    PictureDialog dialog({boxes, shared.prepared, files, chooser, settings, dialogHost, help}, {});
    dialog.Form_Load();
    const double again = medianMilliseconds(21, [&] { dialog.userSelectsSlot(0); });

    std::printf("A 6000 x 4000 JPEG (median of 9 runs, each with an empty picture cache):\n");
    std::printf("  picture dialog: Form_Load, which previews it in 240 x 200   %6.1f ms\n", preview);
    std::printf("  game window: choosing it, decoded to 321 x 240             %6.1f ms\n", choice);
    std::printf("  ratio %.2f\n", preview / choice);
    std::printf("  the dialog opening with it: Form_Load and its window built  %6.1f ms\n", opening);
    std::printf("Selecting the slot again in an open dialog (cached)           %6.2f ms\n", again);
    return 0;
}
