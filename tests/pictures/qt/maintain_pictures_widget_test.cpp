// Ctrl+M in the game window opens the picture dialog modally over it; when the dialog has
// closed, the game window's picture list shows what the dialog stored.
#include "game/game_fixture.h"
#include "game/qt/game_window_widget.h"
#include "picture_dialog_fixture.h"
#include "pictures/qt/picture_maintenance.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace tessaloom::testing {
namespace {

class MaintainPicturesWidgetTest : public GameFixture {
protected:
    ScriptedDialogHost dialogHost;
    std::unique_ptr<GameWindowWidget> window;

    void SetUp() override
    {
        files.files.insert("/p/lake.jpg");
        pictures.readable.insert("/p/lake.jpg");
        game.Form_Load();
        window = std::make_unique<GameWindowWidget>(game);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        // The game window's host shows the real dialog, as the program does.
        host.whilePictureDialogOpen = [this] {
            PictureMaintenance dialog(window.get(), pictures, files, settings, dialogHost, help);
            dialog.exec();
        };
    }
};

TEST_F(MaintainPicturesWidgetTest, CtrlMOpensTheDialogModallyAndTheListFollowsIt)
{
    QTest::mouseClick(window->card(0), Qt::LeftButton);
    ASSERT_EQ(state().FirstOpen, 1);

    bool wasModalOverTheGame = false;
    bool gameTookInput = false;
    // Runs inside the dialog's own event loop.
    QTimer::singleShot(0, window.get(), [&] {
        auto* dialog = window->findChild<QDialog*>();
        if (!dialog)
            return;
        wasModalOverTheGame = QApplication::activeModalWidget() == dialog && dialog->isModal() &&
                              dialog->windowTitle() == QStringLiteral("Picture Maintenance");
        // A click as the window system delivers it, so the modal dialog can block it.
        const QPoint onCard = window->card(1)->mapTo(window.get(), window->card(1)->rect().center());
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, onCard);
        gameTookInput = state().FirstOpen != 1;
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("txtLabel")), QStringLiteral("Lake"));
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("txtPath")), QStringLiteral("/p/lake.jpg"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        if (dialog->isVisible())
            dialog->reject();  // never leave the test waiting in the dialog
    });
    QTest::keyClick(window.get(), Qt::Key_M, Qt::ControlModifier);

    EXPECT_EQ(host.pictureDialogs, 1);
    EXPECT_TRUE(wasModalOverTheGame);
    EXPECT_FALSE(gameTookInput);
    EXPECT_EQ(stored(pictureLabelValueName(1)), SettingValue("Lake"));
    const auto* list = window->findChild<QComboBox*>(QStringLiteral("cboPictures"));
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(1), QStringLiteral("Lake"));
    EXPECT_EQ(list->currentIndex(), 0);
    // The game goes on.
    EXPECT_EQ(state().FirstOpen, 1);
    EXPECT_EQ(state().FirstCard, 0);
}

} // namespace
} // namespace tessaloom::testing
