#pragma once

#include "pictures/picture_dialog.h"
#include "platform/qt/qt_file_chooser.h"
#include "platform/qt/qt_message_boxes.h"

#include <memory>

class QDialog;
class QWidget;

namespace tessaloom {

class FileSystem;
class HelpCommands;
class PictureDialogHost;
class PictureDialogWidget;
class PictureLoader;
class SettingsStore;

// The picture maintenance dialog ready to be shown: its logic, its window, and the message
// boxes and file chooser that open over it. Create one each time the dialog is shown.
class PictureMaintenance final {
public:
    // The pictures service should be the one the game window uses, so previews take the same
    // decode path and cache.
    PictureMaintenance(QWidget* owner, PictureLoader& pictures, FileSystem& files, SettingsStore& settings,
                       PictureDialogHost& host, HelpCommands& help);
    ~PictureMaintenance();

    // Loads the dialog, shows it centred on the screen and modal over its owner, and returns
    // when it has closed, or when the program was ended from inside it.
    void exec();

    // The dialog's window, for what opens over it (the About box).
    QDialog* window() const;

private:
    QtMessageBoxes messageBoxes_;
    QtFileChooser fileChooser_;
    PictureDialog logic_;
    std::unique_ptr<PictureDialogWidget> window_;
};

// The two placeholder pictures from the program's resources; null pictures where the resources
// are not built in.
PicturePlaceholders placeholdersFromResources();

} // namespace tessaloom
