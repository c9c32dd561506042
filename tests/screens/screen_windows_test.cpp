#include "screens/qt/about_dialog.h"
#include "screens/qt/splash_window.h"

#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace tessaloom {
namespace {

class SplashWindowTest : public ::testing::Test {
protected:
    testing::ScriptedApplicationInfo application;
    testing::ScriptedCalendar calendar;
    int launches = 0;
    std::unique_ptr<SplashWindow> splash;

    void SetUp() override
    {
        application.minor = 12;
        splash = std::make_unique<SplashWindow>(application, calendar, [this] { ++launches; });
        splash->show();
    }
    template <typename T>
    T* child(const char* name) const
    {
        return splash->findChild<T*>(QString::fromLatin1(name));
    }
};

TEST_F(SplashWindowTest, ShowsTheLoadedTextsAndHandsOverOnItsTick)
{
    EXPECT_EQ(child<QLabel>("lblVersion")->text(), QStringLiteral("Version 1.12"));
    auto* timer = child<QTimer>("Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 2000);
    // Bring the tick forward instead of waiting two seconds.
    timer->start(0);
    for (int spins = 0; spins < 50 && launches == 0; ++spins)
        QCoreApplication::processEvents();
    EXPECT_EQ(launches, 1);
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(splash->isVisible());
}

TEST_F(SplashWindowTest, OnlyAKeyThatProducesACharacterHandsOver)
{
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Down, Qt::Key_F1, Qt::Key_F5, Qt::Key_Shift})
        QTest::keyClick(splash.get(), key);
    EXPECT_EQ(launches, 0);
    QTest::keyClick(splash.get(), Qt::Key_Escape);
    EXPECT_EQ(launches, 1);
}

TEST_F(SplashWindowTest, AClickOnTheFreeFrameHandsOverButNotOneOnThePictureOrALabel)
{
    auto* frame = child<QFrame>("Frame1");
    for (const char* name : {"imgLogo", "lblProductName", "lblVersion"})
        QTest::mouseClick(child<QLabel>(name), Qt::LeftButton);
    const QPoint freeArea(300, 74);
    QTest::mouseClick(frame, Qt::RightButton, {}, freeArea);
    EXPECT_EQ(launches, 0);
    ASSERT_EQ(frame->childAt(freeArea), nullptr);
    QTest::mouseClick(frame, Qt::LeftButton, {}, freeArea);
    EXPECT_EQ(launches, 1);
}

// Its close box or Alt+F4 hands over too, instead of leaving the program without a window.
TEST_F(SplashWindowTest, ClosingTheSplashHandsOver)
{
    splash->close();
    EXPECT_EQ(launches, 1);
}

// The year is read afresh at each opening, and a clock set too early gives no range that runs
// backwards; Enter, Escape, OK and the close box each close the box.
TEST(AboutDialog, ReadsTheYearAtEachOpeningAndClosesByEnterEscapeOkOrItsCloseBox)
{
    testing::ScriptedCalendar calendar;
    const std::function<void(QDialog*)> closers[] = {
        [](QDialog* box) { QTest::keyClick(box, Qt::Key_Return); },
        [](QDialog* box) { QTest::keyClick(box, Qt::Key_Escape); },
        [](QDialog* box) { box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click(); },
        [](QDialog* box) { box->close(); },
    };
    QStringList seen;
    for (const auto& closeTheBox : closers) {
        calendar.year = calendar.year == 1999 ? 2031 : 1999;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            seen << box->windowTitle() + QStringLiteral(" | ") +
                    box->findChild<QLabel*>(QStringLiteral("lblCopyright"))->text();
            closeTheBox(box);
            if (box->isVisible()) {
                seen << QStringLiteral("still open");
                box->reject();
            }
        });
        AboutDialog::showModal(nullptr, calendar);
    }
    const QString y2031 = QStringLiteral("About Tessaloom | \u00a9 2004-2031 Marrowquill Software");
    const QString y1999 = QStringLiteral("About Tessaloom | \u00a9 2004 Marrowquill Software");
    EXPECT_EQ(seen, (QStringList{y1999, y2031, y1999, y2031}));
}

} // namespace
} // namespace tessaloom
