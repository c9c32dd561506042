#include "game/qt/game_window_widget.h"
#include "game_fixture.h"
#include "platform/qt/qt_message_boxes.h"
#include "support/menu_outline.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
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
    QAction* action(const char* name) const { return window->findChild<QAction*>(QString::fromLatin1(name)); }
};

TEST_F(GameWindowWidgetTest, ACardClickReachesTheLogicAndTheFlipTimerRuns)
{
    QTest::mouseClick(window->card(0), Qt::LeftButton);
    EXPECT_EQ(state().FirstOpen, 1);
    EXPECT_EQ(window->card(0)->text().toStdString(), card(0).Caption);
    EXPECT_FALSE(window->card(0)->text().isEmpty());

    QTest::mouseClick(window->card(strangerOf(0)), Qt::LeftButton);
    ASSERT_TRUE(flipTimer()->isActive());
    EXPECT_EQ(flipTimer()->interval(), 3000);
    // The slider sets the running timer's interval at once.
    window->findChild<QSlider*>(QStringLiteral("Slider1"))->setValue(700);
    EXPECT_TRUE(flipTimer()->isActive());
    EXPECT_EQ(flipTimer()->interval(), 700);
    EXPECT_EQ(stored("FlipSpeed"), SettingValue(700));
}

TEST_F(GameWindowWidgetTest, TheMenusReadAsDesigned)
{
    EXPECT_EQ(menuOutline(window->menuBar()),
              (std::vector<std::string>{"&File", "  &New Game  F2", "  &View  F8", "  &Reset Records  Shift+F6", "  -",
                                        "  &Maintain Pictures...  Ctrl+M", "  -", "  E&xit  F3", "&Help",
                                        "  &Contents  F1", "  &Index", "  Marrowquill Software on the Web",
                                        "  &About..."}));
}

TEST_F(GameWindowWidgetTest, ShortcutKeysRunTheFileMenu)
{
    QTest::mouseClick(window->card(3), Qt::LeftButton);
    press(Qt::Key_F2);
    EXPECT_EQ(state().FirstOpen, 0);
    EXPECT_TRUE(window->card(3)->text().isEmpty());

    press(Qt::Key_F8);
    EXPECT_EQ(action("mnuView")->text(), QStringLiteral("&Hide"));
    EXPECT_FALSE(window->card(0)->isVisible());
    press(Qt::Key_F8);
    EXPECT_EQ(action("mnuView")->text(), QStringLiteral("&View"));
    EXPECT_TRUE(window->card(0)->isVisible());

    messageBoxes.answers = {false};
    press(Qt::SHIFT | Qt::Key_F6);
    EXPECT_EQ(messageBoxes.shown, std::vector<std::string>{"Are you sure you want to reset the Records?"});

    press(Qt::Key_F1);
    ASSERT_EQ(helpViewer.requests.size(), 1u);
    EXPECT_EQ(helpViewer.requests[0].data, "Welcome.htm");
    EXPECT_EQ(helpViewer.requests[0].helpFile, "/opt/tessaloom/Help/Tessaloom Help.chm");

    press(Qt::CTRL | Qt::Key_M);
    EXPECT_EQ(host.pictureDialogs, 1);
    press(Qt::Key_F3);
    EXPECT_EQ(host.programEnds, 1);
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
    EXPECT_FALSE(window->card(14)->text().isEmpty());
}

TEST_F(GameWindowWidgetTest, ChoosingRowsFromTheListLaysOutTheBoard)
{
    auto* rows = window->findChild<QComboBox*>(QStringLiteral("cboRows"));
    EXPECT_EQ(rows->currentText(), QStringLiteral("4"));
    rows->activated(0);
    EXPECT_EQ(state().NumRows, 2);
    EXPECT_EQ(window->card(0)->geometry(), QRect(8, 16, 81, 120));
    EXPECT_EQ(window->card(4)->geometry(), QRect(8, 136, 81, 120));
    EXPECT_FALSE(window->card(8)->isVisible());
}

TEST_F(GameWindowWidgetTest, ClosingTheWindowEndsTheProgram)
{
    window->close();
    EXPECT_EQ(host.programEnds, 1);
}

// What only the boxes show: the program's title, no icon, OK alone or Yes and No, and Enter
// pressing the default button.
TEST(GameWindowMessageBoxes, TitledWithoutIconOkAloneOrYesAndNoWithYesTheDefault)
{
    QWidget owner;
    QtMessageBoxes boxes(&owner);
    std::vector<std::string> seen;
    const auto pressEnterInTheBox = [&seen] {
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            const auto buttons = box->standardButtons();
            seen.push_back(box->windowTitle().toStdString() + " | " + box->text().toStdString() +
                           (box->icon() == QMessageBox::NoIcon ? " | no icon" : " | icon") +
                           (buttons == QMessageBox::Ok ? " | OK" : buttons == (QMessageBox::Yes | QMessageBox::No) ? " | Yes No" : " | ?") +
                           " | default " + box->defaultButton()->text().remove(QLatin1Char('&')).toStdString());
            QTest::keyClick(box, Qt::Key_Return);
        });
    };
    pressEnterInTheBox();
    boxes.showMessage("You completed the puzzle in 8 tries.");
    pressEnterInTheBox();
    EXPECT_TRUE(boxes.askYesNo("Are you sure you want to reset the Records?"));
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "Tessaloom | You completed the puzzle in 8 tries. | no icon | OK | default OK",
                        "Tessaloom | Are you sure you want to reset the Records? | no icon | Yes No | default Yes"}));
}

} // namespace
} // namespace tessaloom::testing
