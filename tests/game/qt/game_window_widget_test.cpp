#include "game/qt/game_window_widget.h"
#include "game_fixture.h"
#include "pictures/picture_dialog_fixture.h"
#include "pictures/qt/picture_maintenance.h"
#include "platform/qt/qt_message_boxes.h"
#include "support/accessible.h"
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

TEST_F(GameWindowWidgetTest, TheMenusReadAsDesignedAndTheirShortcutKeysRunTheirEntries)
{
    EXPECT_EQ(
        menuOutline(window->menuBar()),
        (std::vector<std::string>{"&File", "  &New Game  F2", "  &View  F8", "  &Reset Records  Shift+F6", "  -",
                                  "  &Maintain Pictures...  Ctrl+M", "  -", "  E&xit  F3", "&Help", "  &Contents  F1",
                                  "  &Index", "  Marrowquill Software on the Web", "  &About..."}));
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
    QCoreApplication::processEvents(); // the question opens from the event loop
    EXPECT_EQ(messageBoxes.shown.size(), 1u);
    EXPECT_EQ(helpAndWeb.requests,
              std::vector<std::string>{"topic Welcome.htm in /opt/tessaloom/Help/Tessaloom Help.chm"});
    // Closing the window ends the program as Exit (F3) does; neither writes a setting.
    window->close();
    EXPECT_EQ(host.programEnds, 2);
    EXPECT_EQ(registry.writes, writes);
}

// Tab keeps the design's order; the arrows go across the grid as it lies on the screen; the
// rows chosen from the list lay out the board.
TEST_F(GameWindowWidgetTest, TabFollowsTheDesignArrowsCrossTheGridSpaceOrEnterTurnsACardAndRowsLayItOut)
{
    // A known deal: pair n on cards 2n - 2 and 2n - 1.
    for (int pair = 1; pair <= 8; ++pair)
        random.numbers.insert(random.numbers.end(), 2, pair < 8 ? static_cast<float>(pair - 1) / 7 : 0.99999994f);
    press(Qt::Key_F2);
    auto* pictureList = window->findChild<QComboBox*>(QStringLiteral("cboPictures"));
    pictureList->setFocus();
    QTest::keyClick(pictureList, Qt::Key_Tab);
    // With four rows, card 23 down to 16 are hidden, so the first card to take the focus is 15.
    EXPECT_EQ(QApplication::focusWidget(), window->card(15));
    QTest::keyClick(window->card(15), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->card(14));
    QTest::keyClick(window->card(14), Qt::Key_Space);
    QTest::keyClick(window->card(15), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ((std::pair<int, int>{state().FirstCard, state().SecondCard}), (std::pair{14, 15}));
    game.Timer1_Timer();
    game.btnButton_Click(6);
    game.btnButton_Click(7);
    game.Timer1_Timer();
    window->refresh();

    // The pairs on cards 6 and 7 and on 14 and 15 have left the board: the arrows pass over
    // their places and stop at the edge of the grid.
    for (const auto& [from, key, to] : {std::tuple{2, Qt::Key_Down, 10}, std::tuple{11, Qt::Key_Up, 3},
                                        std::tuple{5, Qt::Key_Right, 5}, std::tuple{10, Qt::Key_Down, 10}}) {
        window->card(from)->setFocus();
        QTest::keyClick(window->card(from), key);
        EXPECT_EQ(QApplication::focusWidget(), window->card(to)) << from;
    }
    QTest::keyClick(window->card(8), Qt::Key_Return);
    EXPECT_EQ((std::pair<int, int>{state().FirstOpen, state().FirstCard}), (std::pair{1, 8}));

    auto* rows = window->findChild<QComboBox*>(QStringLiteral("cboRows"));
    EXPECT_EQ(rows->currentText(), QStringLiteral("4"));
    rows->activated(0);
    EXPECT_EQ(window->card(0)->geometry(), QRect(8, 16, 81, 120));
    EXPECT_EQ(window->card(4)->geometry(), QRect(8, 136, 81, 120));
}

// Clicks turn cards and the slider times the open pair. What a screen reader finds: each card
// by its place and state, only the cards on the board, the counts read with their captions, the
// controls tied to their labels, and every judged turn announced by a notification.
TEST_F(GameWindowWidgetTest, ClicksTurnCardsThatAScreenReaderFindsByPlaceAndStateAndHearsJudged)
{
    const auto named = [this](const char* name) { return window->findChild<QWidget*>(QString::fromLatin1(name)); };
    QAccessibleInterface* board = accessible(named("Cards"));
    ASSERT_EQ(board->childCount(), 16);
    EXPECT_EQ(board->child(6)->text(QAccessible::Name), QStringLiteral("row 2, column 3, face down"));
    const int partner = cardWith(6, true);
    QTest::mouseClick(window->card(6), Qt::LeftButton);
    const QString face = QString::number(state().CardValue[6]);
    EXPECT_EQ(board->child(6)->text(QAccessible::Name), "row 2, column 3, " + face);
    QTest::mouseClick(window->card(partner), Qt::LeftButton);
    ASSERT_TRUE(flipTimer()->isActive());
    // The slider sets the running timer's interval at once.
    window->findChild<QSlider*>(QStringLiteral("Slider1"))->setValue(700);
    EXPECT_EQ(flipTimer()->interval(), 700);
    EXPECT_EQ(stored("FlipSpeed"), SettingValue(700));
    game.Timer1_Timer();
    window->refresh();

    EXPECT_EQ(board->childCount(), 14);
    QAccessibleInterface* gone = accessible(window->card(6));
    EXPECT_EQ(board->indexOfChild(gone), -1);
    EXPECT_TRUE(gone->state().invisible && !gone->state().focusable);
    EXPECT_EQ(accessible(named("turnOutcome"))->role(), QAccessible::Notification);
    EXPECT_EQ(accessibleName(named("turnOutcome")), "pair of " + face + " found; 7 pairs left");
    EXPECT_EQ(accessibleName(named("lblNumTries")), QStringLiteral("Tries: 1"));
    EXPECT_EQ(accessibleName(named("lblNumRecord")), QStringLiteral("Record: 50"));
    EXPECT_EQ(accessibleName(named("imgImage")), QStringLiteral("Picture: Marrowquill Software Logo"));
    EXPECT_EQ(labelsOf(window.get(), {"cboRows", "cboPictures", "Slider1"}),
              (QStringList{"Rows:", "Picture:", "Flip Speed:"}));
}

// Ctrl+M opens the picture dialog modally over the game window; F1 and F3 there reach help and
// the end of the program; when the dialog has closed, the list shows what it stored.
TEST_F(GameWindowWidgetTest, CtrlMOpensThePictureDialogModallyAndTheListFollowsIt)
{
    files.files.insert("/p/lake.jpg");
    ScriptedDialogHost dialogHost;
    bool insideTheDialog = false;
    // Runs inside the dialog's own event loop.
    const auto inside = [&] {
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
    };
    // The game window's host shows the real dialog, as the program does.
    host.whileOpen = [&] {
        PictureMaintenance dialog(window.get(), pictures, files, settings, dialogHost, help);
        QTimer::singleShot(0, window.get(), inside);
        dialog.exec();
    };
    QTest::mouseClick(window->card(0), Qt::LeftButton);
    press(Qt::CTRL | Qt::Key_M);
    EXPECT_FALSE(insideTheDialog); // the command returns before the dialog opens
    QCoreApplication::processEvents();

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
