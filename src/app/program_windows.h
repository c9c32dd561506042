#pragma once

#include "game/game_window_host.h"
#include "help/help_commands.h"
#include "help/help_viewer.h"
#include "pictures/picture_dialog_host.h"
#include "platform/calendar.h"
#include "platform/file_system.h"
#include "platform/picture_files/prepared_pictures.h"
#include "platform/picture_files/qt/qt_background_worker.h"
#include "platform/picture_files/qt/qt_picture_decoder.h"
#include "platform/qt/qt_application_info.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_web_browser.h"
#include "platform/random_source.h"
#include "settings/settings_store.h"

#include <memory>

namespace tessaloom {

class GameWindow;
class GameWindowWidget;
class Registry;

// The program's windows and the services they share, for one run.
class ProgramWindows final : public GameWindowHost, private PictureDialogHost {
public:
    explicit ProgramWindows(Registry& registry);
    ~ProgramWindows() override;

    // Shows the splash window, which hands over to the game window.
    void start();

    // Loads the game window (its start-up runs now) and shows it centred on the screen.
    void loadAndShowGameWindow();

    bool showPictureDialog() override;
    // Both the game window's and the picture dialog's: the About box is owned by the picture
    // dialog while it is open, by the game window otherwise.
    void showAboutBox() override;
    void endProgram() override;

private:
    QtMessageBoxes messageBoxes_;
    // The picture service: the toolkit's readers, prepared ahead on a low-priority thread. The
    // worker is declared after what its work refers to, so it stops before they go.
    QtPictureDecoder pictureDecoder_;
    PreparedPictures pictures_{pictureDecoder_, pictureWorker_};
    QtBackgroundWorker pictureWorker_;
    RealFileSystem files_;
    ClockSeededRandom random_;
    SettingsStore settings_;
    QtApplicationInfo applicationInfo_;
    SystemCalendar calendar_;
    QtWebBrowser webBrowser_;
    std::unique_ptr<HelpViewer> helpViewer_;
    HelpCommands help_;
    std::unique_ptr<GameWindow> gameLogic_;
    std::unique_ptr<GameWindowWidget> gameWindow_;
    QWidget* pictureDialogWindow_ = nullptr; // while the picture dialog is open
    bool ending_ = false;
};

} // namespace tessaloom
