// Ctrl+M in the game window opens the picture dialog modally over it; F1 and F3 there reach help
// and the end of the program; when the dialog has closed, the game window's list shows what it stored.
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

class MaintainPicturesWidgetTest : public GameFixture {};

TEST_F(MaintainPicturesWidgetTest, CtrlMOpensTheDialogModallyAndTheListFollowsIt)
{
    files.files.insert("/p/lake.jpg");
    pictures.readable.insert("/p/lake.jpg");
    game.Form_Load();
    GameWindowWidget window(game);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ScriptedDialogHost dialogHost;
    // The game window's host shows the real dialog, as the program does.
    host.whileOpen = [&] {
        PictureMaintenance(&window, pictures, files, settings, dialogHost, help).exec();
    };
    QTest::mouseClick(window.card(0), Qt::LeftButton);
    ASSERT_EQ(state().FirstOpen, 1);

    bool insideTheDialog = false;
    // Runs inside the dialog's own event loop.
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = window.findChild<QDialog*>();
        if (!dialog)
            return;
        insideTheDialog = true;
        EXPECT_TRUE(QApplication::activeModalWidget() == dialog && dialog->isModal());
        // A click as the window system delivers it, so the modal dialog can block it.
        const QPoint onCard = window.card(1)->mapTo(&window, window.card(1)->rect().center());
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, onCard);
        EXPECT_EQ(state().FirstOpen, 1);
        auto* label = dialog->findChild<QLineEdit*>(QStringLiteral("txtLabel"));
        QTest::keyClicks(label, QStringLiteral("Lake"));
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("txtPath")), QStringLiteral("/p/lake.jpg"));
        QApplication::setActiveWindow(dialog);
        QTest::keyClick(label, Qt::Key_F1);
        QTest::keyClick(label, Qt::Key_F3);
        EXPECT_EQ(dialogHost.programEnds, 1);
        EXPECT_TRUE(stored(pictureLabelValueName(1)).text().empty());  // Exit saves nothing
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        EXPECT_FALSE(dialog->isVisible());
        if (dialog->isVisible())
            dialog->reject();  // never leave the test waiting in the dialog
    });
    QTest::keyClick(&window, Qt::Key_M, Qt::ControlModifier);

    EXPECT_TRUE(insideTheDialog);
    EXPECT_EQ(helpAndWeb.requests, std::vector<std::string>{"topic Customizing_Pictures.htm in /opt/tessaloom/Help/Tessaloom Help.chm"});
    const auto* list = window.findChild<QComboBox*>(QStringLiteral("cboPictures"));
    EXPECT_EQ(list->itemText(list->count() - 1), QStringLiteral("Lake"));
    // The game goes on.
    EXPECT_EQ(state().FirstOpen, 1);
    EXPECT_EQ(state().FirstCard, 0);
}

} // namespace
} // namespace tessaloom::testing
