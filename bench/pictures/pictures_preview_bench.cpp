// Times the picture dialog's preview of a large JPEG against the game window's choice of the
// same file: both go through QtPictureLoader, decoding straight to their box.
#include "game/game_window.h"
#include "game/game_window_host.h"
#include "pictures/picture_dialog.h"
#include "pictures/picture_dialog_host.h"
#include "pictures/qt/picture_dialog_widget.h"
#include "platform/file_system.h"
#include "platform/qt/qt_file_chooser.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_picture_loader.h"
#include "platform/random_source.h"
#include "settings/memory_registry.h"
#include "settings/settings_store.h"
#include "settings/value_names.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace tessaloom;

namespace {

struct NoGameHost final : GameWindowHost {
    bool showPictureDialog() override { return true; }
    void showAboutBox() override {}
    void endProgram() override {}
};

struct NoDialogHost final : PictureDialogHost {
    void showHelpContents(const std::string&) override {}
    void showHelpIndex() override {}
    void openWebSite() override {}
    void showAboutBox() override {}
    void endProgram() override {}
};

double medianMilliseconds(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QString makePhoto(const QString& path, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, width, height);
    sky.setColorAt(0, QColor(40, 90, 170));
    sky.setColorAt(1, QColor(240, 180, 90));
    painter.fillRect(image.rect(), sky);
    for (int i = 0; i < 400; ++i) {
        painter.setBrush(QColor::fromHsv((i * 37) % 360, 180, 220));
        painter.drawEllipse((i * 7919) % width, (i * 104729) % height, 40 + i % 300, 40 + (i * 3) % 200);
    }
    painter.end();
    image.save(path, "JPEG", 90);
    return path;
}

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
    MemoryRegistry registry;
    SettingsStore settings(registry);
    settings.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, pictureLabelValueName(1), "Photo");
    settings.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, picturePathValueName(1), photo);
    NoGameHost gameHost;
    NoDialogHost dialogHost;

    // Each run starts with an empty picture cache, so every run decodes the file.
    const double preview = medianMilliseconds(9, [&] {
        QtPictureLoader pictures;
        PictureDialog dialog({boxes, pictures, files, chooser, settings, dialogHost}, {});
        dialog.Form_Load();
    });
    const double opening = medianMilliseconds(9, [&] {
        QtPictureLoader pictures;
        PictureDialog dialog({boxes, pictures, files, chooser, settings, dialogHost}, {});
        dialog.Form_Load();
        PictureDialogWidget window(dialog);
    });
    const double choice = medianMilliseconds(9, [&] {
        QtPictureLoader pictures;
        GameWindow game({boxes, pictures, files, random, settings, gameHost});
        game.LoadPictureList();
        game.userSelectsPicture(1);
    });
    QtPictureLoader shared;
    PictureDialog dialog({boxes, shared, files, chooser, settings, dialogHost}, {});
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
