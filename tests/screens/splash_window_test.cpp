#include "screens/qt/splash_window.h"

#include "label_fit.h"
#include "scripted_screens.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace tessaloom {
namespace {

using testing::ScriptedApplicationInfo;
using testing::ScriptedCalendar;

class SplashWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    }

    ScriptedApplicationInfo application;
    ScriptedCalendar calendar;
    int launches = 0;
    std::function<void()> whileLoading;

    std::unique_ptr<SplashWindow> makeSplash()
    {
        auto splash = std::make_unique<SplashWindow>(application, calendar, [this] {
            ++launches;
            if (whileLoading)
                whileLoading();
        });
        splash->show();
        return splash;
    }
    template <typename T>
    static T* child(const QWidget& window, const char* name)
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QString text(const QWidget& window, const char* label) { return child<QLabel>(window, label)->text(); }
};

TEST_F(SplashWindowTest, OpensAsDesignedWithTheLoadedTexts)
{
    application.minor = 12;
    calendar.year = 2031;
    const auto splash = makeSplash();

    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(splash->windowType(), Qt::SplashScreen);
    EXPECT_EQ(splash->size(), QSize(492, 308));
    EXPECT_EQ(splash->minimumSize(), splash->maximumSize());
    EXPECT_EQ(splash->frameGeometry().center(), splash->screen()->availableGeometry().center());
    EXPECT_EQ(child<QFrame>(*splash, "Frame1")->geometry(), QRect(10, 4, 471, 293));

    EXPECT_EQ(text(*splash, "lblVersion"), QStringLiteral("Version 1.12"));
    EXPECT_EQ(text(*splash, "lblCopyright"), QStringLiteral("\u00a9 2004-2031 Marrowquill Software"));

    const QLabel* logo = child<QLabel>(*splash, "imgLogo");
    EXPECT_EQ(logo->geometry(), QRect(8, 16, 204, 237));
    EXPECT_EQ(logo->pixmap().size(), QSize(200, 233));
    EXPECT_EQ(logo->contentsRect().size(), QSize(200, 233)); // natural size inside its border

    struct Font {
        const char* label;
        double points;
        bool bold;
    };
    for (const Font& f : {Font{"lblProductName", 27.75, true}, Font{"lblCompanyProduct", 18, true},
                          Font{"Label1", 27.75, true}, Font{"lblVersion", 12, true}, Font{"lblCopyright", 8.25, false},
                          Font{"lblWarning", 6.75, false}}) {
        const QFont font = child<QLabel>(*splash, f.label)->font();
        EXPECT_EQ(font.family(), QStringLiteral("Comic Sans MS")) << f.label;
        EXPECT_DOUBLE_EQ(font.pointSizeF(), f.points) << f.label;
        EXPECT_EQ(font.bold(), f.bold) << f.label;
    }
}

TEST_F(SplashWindowTest, EveryTextFitsItsLabel)
{
    application.major = 10;
    application.minor = 99;
    calendar.year = 2999;
    const auto splash = makeSplash();
    testing::expectEveryTextFits(*splash);
}

TEST_F(SplashWindowTest, HandsOverOnItsTimerAndThenCloses)
{
    const auto splash = makeSplash();
    auto* timer = child<QTimer>(*splash, "Timer1");
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

TEST_F(SplashWindowTest, OnlyKeysThatProduceACharacterHandOver)
{
    const auto splash = makeSplash();
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Down, Qt::Key_F1, Qt::Key_F5, Qt::Key_Shift, Qt::Key_Control})
        QTest::keyClick(splash.get(), key);
    EXPECT_EQ(launches, 0);
    EXPECT_TRUE(splash->isVisible());

    QTest::keyClick(splash.get(), Qt::Key_Escape);
    EXPECT_EQ(launches, 1);
    EXPECT_FALSE(splash->isVisible());
    QTest::keyClick(splash.get(), Qt::Key_Return);
    EXPECT_EQ(launches, 1);
}

TEST_F(SplashWindowTest, AClickOnTheFrameHandsOverButNotOneOnThePictureOrALabel)
{
    const auto splash = makeSplash();
    auto* frame = child<QFrame>(*splash, "Frame1");
    for (const char* name : {"imgLogo", "lblProductName", "lblCompanyProduct", "lblVersion", "lblWarning"})
        QTest::mouseClick(child<QLabel>(*splash, name), Qt::LeftButton);
    QTest::mouseClick(frame, Qt::RightButton, {}, QPoint(300, 74));
    EXPECT_EQ(launches, 0);

    const QPoint freeArea(300, 74);
    ASSERT_EQ(frame->childAt(freeArea), nullptr);
    QTest::mouseClick(frame, Qt::LeftButton, {}, freeArea);
    EXPECT_EQ(launches, 1);
    EXPECT_FALSE(splash->isVisible());
}

TEST_F(SplashWindowTest, AKeyWhileTheGameWindowLoadsDoesNotHandOverTwice)
{
    const auto splash = makeSplash();
    whileLoading = [&] {
        QTest::keyClick(splash.get(), Qt::Key_Space);
        QTest::mouseClick(child<QFrame>(*splash, "Frame1"), Qt::LeftButton, {}, QPoint(300, 74));
    };
    QTest::keyClick(splash.get(), Qt::Key_A);
    EXPECT_EQ(launches, 1);
}

TEST_F(SplashWindowTest, OpenedForTheProgramItDeletesItselfAfterTheHandOver)
{
    QPointer<SplashWindow> splash = SplashWindow::open(application, calendar, [this] { ++launches; });
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->isVisible());
    QTest::keyClick(splash.data(), Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(launches, 1);
    EXPECT_TRUE(splash.isNull());
}

} // namespace
} // namespace tessaloom
