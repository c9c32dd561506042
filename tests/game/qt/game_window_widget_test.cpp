#include "game/qt/game_window_widget.h"
#include "game_fixture.h"
#include "pictures/picture_dialog_fixture.h"
#include "pictures/qt/picture_maintenance.h"
#include "platform/qt/qt_message_boxes.h"
#include "support/menu_outline.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

namespace tessaloom::testing {
namespace {

class GameWindowWidgetTest : public GameFixture {
protected:
    std::unique_ptr<GameWindowWidget> window;

    void SetUp() override
    {
        game.Form_Load();
        window = std::make_unique<GameWindowWidget>(game);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void press(QKeyCombination key) { QTest::keyClick(window.get(), key.key(), key.keyboardModifiers()); }
    QTimer* flipTimer() const { return window->findChild<QTimer*>(QStringLiteral("Timer1")); }
};

TEST_F(GameWindowWidgetTest, ACardClickReachesTheLogicAndTheFlipTimerRuns)
{
    QTest::mouseClick(window->card(0), Qt::LeftButton);
    EXPECT_EQ(window->card(0)->text(), QString::number(state().CardValue[0]));
    QTest::mouseClick(window->card(cardWith(0, false)), Qt::LeftButton);
    ASSERT_TRUE(flipTimer()->isActive());
    // The slider sets the running timer's interval at once.
    window->findChild<QSlider*>(QStringLiteral("Slider1"))->setValue(700);
    EXPECT_TRUE(flipTimer()->isActive());
    EXPECT_EQ(flipTimer()->interval(), 700);
    EXPECT_EQ(stored("FlipSpeed"), SettingValue(700));
}

TEST_F(GameWindowWidgetTest, TheMenusReadAsDesigned)
{
    EXPECT_EQ(
        menuOutline(window->menuBar()),
        (std::vector<std::string>{"&File", "  &New Game  F2", "  &View  F8", "  &Reset Records  Shift+F6", "  -",
                                  "  &Maintain Pictures...  Ctrl+M", "  -", "  E&xit  F3", "&Help", "  &Contents  F1",
                                  "  &Index", "  Marrowquill Software on the Web", "  &About..."}));
}

TEST_F(GameWindowWidgetTest, ShortcutKeysRunTheirEntries)
{
    QTest::mouseClick(window->card(3), Qt::LeftButton);
    press(Qt::Key_F2);
    EXPECT_TRUE(window->card(3)->text().isEmpty());
    press(Qt::Key_F8);
    EXPECT_EQ(window->findChild<QAction*>(QStringLiteral("mnuView"))->text(), QStringLiteral("&Hide"));
    EXPECT_FALSE(window->card(0)->isVisible());
    messageBoxes.answer = false;
    const int writes = registry.writes;
    for (QKeyCombination key : {Qt::SHIFT | Qt::Key_F6, QKeyCombination(Qt::Key_F1), QKeyCombination(Qt::Key_F3)})
        press(key);
    EXPECT_EQ(messageBoxes.shown.size(), 1u);
    EXPECT_EQ(helpAndWeb.requests,
              std::vector<std::string>{"topic Welcome.htm in /opt/tessaloom/Help/Tessaloom Help.chm"});
    // Closing the window ends the program as Exit (F3) does; neither writes a setting.
    window->close();
    EXPECT_EQ(host.programEnds, 2);
    EXPECT_EQ(registry.writes, writes);
}

TEST_F(GameWindowWidgetTest, TheCardsFollowTheListsInTheFocusChainAndSpaceTurnsACard)
{
    auto* pictureList = window->findChild<QComboBox*>(QStringLiteral("cboPictures"));
    pictureList->setFocus();
    QTest::keyClick(pictureList, Qt::Key_Tab);
    // With four rows, card 23 down to 16 are hidden, so the first card to take the focus is 15.
    EXPECT_EQ(QApplication::focusWidget(), window->card(15));
    QTest::keyClick(window->card(15), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->card(14));
    QTest::keyClick(window->card(14), Qt::Key_Space);
    EXPECT_EQ(state().FirstCard, 14);
}

TEST_F(GameWindowWidgetTest, ChoosingRowsFromTheListLaysOutTheBoard)
{
    auto* rows = window->findChild<QComboBox*>(QStringLiteral("cboRows"));
    EXPECT_EQ(rows->currentText(), QStringLiteral("4"));
    rows->activated(0);
    EXPECT_EQ(window->card(0)->geometry(), QRect(8, 16, 81, 120));
    EXPECT_EQ(window->card(4)->geometry(), QRect(8, 136, 81, 120));
}

// Ctrl+M opens the picture dialog modally over the game window; F1 and F3 there reach help and
// the end of the program; when the dialog has closed, the list shows what it stored.
TEST_F(GameWindowWidgetTest, CtrlMOpensThePictureDialogModallyAndTheListFollowsIt)
{
    files.files.insert("/p/lake.jpg");
    ScriptedDialogHost dialogHost;
    // The game window's host shows the real dialog, as the program does.
    host.whileOpen = [&] { PictureMaintenance(window.get(), pictures, files, settings, dialogHost, help).exec(); };
    QTest::mouseClick(window->card(0), Qt::LeftButton);
    bool insideTheDialog = false;
    // Runs inside the dialog's own event loop.
    QTimer::singleShot(0, window.get(), [&] {
        auto* dialog = window->findChild<QDialog*>();
        if (!dialog)
            return;
        insideTheDialog = true;
        EXPECT_TRUE(QApplication::activeModalWidget() == dialog && dialog->isModal());
        // A click as the window system delivers it, so the modal dialog can block it.
        const QPoint onCard = window->card(1)->mapTo(window.get(), window->card(1)->rect().center());
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, onCard);
        EXPECT_EQ(state().FirstOpen, 1);
        auto* label = dialog->findChild<QLineEdit*>(QStringLiteral("txtLabel"));
        QTest::keyClicks(label, QStringLiteral("Lake"));
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("txtPath")), QStringLiteral("/p/lake.jpg"));
        QApplication::setActiveWindow(dialog);
        QTest::keyClick(label, Qt::Key_F1);
        QTest::keyClick(label, Qt::Key_F3);
        EXPECT_EQ(dialogHost.programEnds, 1);
        EXPECT_TRUE(stored(valueName(stored::PictureLabel, 1)).text().empty()); // Exit saves nothing
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        EXPECT_FALSE(dialog->isVisible());
        if (dialog->isVisible())
            dialog->reject(); // never leave the test waiting in the dialog
    });
    press(Qt::CTRL | Qt::Key_M);

    EXPECT_TRUE(insideTheDialog);
    EXPECT_EQ(helpAndWeb.requests,
              std::vector<std::string>{"topic Customizing_Pictures.htm in /opt/tessaloom/Help/Tessaloom Help.chm"});
    const auto* list = window->findChild<QComboBox*>(QStringLiteral("cboPictures"));
    EXPECT_EQ(list->itemText(list->count() - 1), QStringLiteral("Lake"));
    EXPECT_EQ(state().FirstOpen, 1); // the game goes on
}

// What only the boxes show: the program's title, no icon, OK alone or Yes and No, and Enter
// pressing the default button.
TEST(GameWindowMessageBoxes, TitledWithoutIconOkAloneOrYesAndNoWithYesTheDefault)
{
    QWidget owner;
    QtMessageBoxes boxes(&owner);
    std::vector<QString> seen;
    const auto pressEnterInTheBox = [&seen] {
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            seen.push_back(QStringLiteral("%1 | %2 | icon %3 | buttons %4 | default %5")
                               .arg(box->windowTitle(), box->text())
                               .arg(box->icon())
                               .arg(box->standardButtons().toInt(), 0, 16)
                               .arg(box->defaultButton() == box->button(QMessageBox::Yes) ? "Yes" : "OK"));
            QTest::keyClick(box, Qt::Key_Return);
        });
    };
    pressEnterInTheBox();
    boxes.showMessage("You completed the puzzle in 8 tries.");
    pressEnterInTheBox();
    EXPECT_TRUE(boxes.askYesNo("Are you sure you want to reset the Records?"));
    // No icon is 0; OK is button 0x400, Yes and No are 0x4000 and 0x10000.
    EXPECT_EQ(seen,
              (std::vector<QString>{
                  "Tessaloom | You completed the puzzle in 8 tries. | icon 0 | buttons 400 | default OK",
                  "Tessaloom | Are you sure you want to reset the Records? | icon 0 | buttons 14000 | default Yes"}));
}

} // namespace
} // namespace tessaloom::testing
