#include "app/program_windows.h"

#include "artwork/artwork.h"
#include "game/game_window.h"
#include "game/qt/game_window_widget.h"
#include "help/qt/platform_help_viewer.h"
#include "pictures/qt/picture_maintenance.h"
#include "platform/qt/qt_picture.h"
#include "platform/qt/window_placement.h"
#include "screens/qt/about_dialog.h"
#include "screens/qt/splash_window.h"

#include <QApplication>
#include <QImage>

namespace tessaloom {

ProgramWindows::ProgramWindows(Registry& registry)
    : settings_(registry)
    , helpViewer_(makePlatformHelpViewer(webBrowser_))
    , help_(applicationInfo_, *helpViewer_, webBrowser_)
{
}

ProgramWindows::~ProgramWindows() = default;

void ProgramWindows::start()
{
    SplashWindow::open(applicationInfo_, calendar_, [this] { loadAndShowGameWindow(); });
}

void ProgramWindows::loadAndShowGameWindow()
{
    gameLogic_ = std::make_unique<GameWindow>(
        GameWindowServices{messageBoxes_, pictures_, files_, random_, settings_, *this, help_});
    gameLogic_->setBuiltInPicture(std::make_shared<QtPicture>(QImage(QString::fromLatin1(kBuiltInPictureResource))));
    gameLogic_->Form_Load();

    gameWindow_ = std::make_unique<GameWindowWidget>(*gameLogic_);
    messageBoxes_.setOwner(gameWindow_.get());
    GameWindowWidget* window = gameWindow_.get();
    messageBoxes_.setBeforeShow([window] { window->refresh(); });
    window->refresh();
    placeWindow(*window, nullptr); // on the screen of the splash that hands over
    window->show();
    // The splash that held the focus is closing; without a window manager nothing else would
    // hand it to the game window.
    window->activateWindow();
}

bool ProgramWindows::showPictureDialog()
{
    PictureMaintenance dialog(gameWindow_.get(), pictures_, files_, settings_, *this, help_);
    pictureDialogWindow_ = dialog.window();
    dialog.exec();
    pictureDialogWindow_ = nullptr;
    return !ending_;
}

void ProgramWindows::showAboutBox()
{
    AboutDialog::showModal(pictureDialogWindow_ ? pictureDialogWindow_ : gameWindow_.get(), calendar_);
}

void ProgramWindows::endProgram()
{
    if (ending_)
        return;
    ending_ = true;
    // Leaves every event loop, the modal ones included, so no handler runs after this one.
    QCoreApplication::exit(0);
}

} // namespace tessaloom
