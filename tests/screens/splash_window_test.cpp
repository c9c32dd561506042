#include "screens/qt/splash_window.h"

#include "scripted_screens.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QTest>
#include <QTimer>

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
        calendar.year = 2031;
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
    EXPECT_EQ(child<QLabel>("lblCopyright")->text(), QStringLiteral("\u00a9 2004-2031 Marrowquill Software"));
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
    EXPECT_FALSE(splash->isVisible());
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
    EXPECT_FALSE(splash->isVisible());
}

} // namespace
} // namespace tessaloom
