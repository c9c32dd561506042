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

    template <typename T>
    T* child(const char* name) const
    {
        return splash->findChild<T*>(QString::fromLatin1(name));
    }
};

// The version shows as loaded. The tick (brought forward instead of waiting two seconds), a key
// that produces a character, a left click on the frame's free area, or closing it (its close box,
// Alt+F4) hands over once, and the splash stops its timer and goes; other keys, clicks on the
// picture or a label and the other button leave it up.
TEST_F(SplashWindowTest, TheTickAKeyWithACharacterAClickOnTheFreeFrameOrClosingHandsOverAndNothingElse)
{
    application.minor = 12;
    const QPoint freeArea(300, 74);
    const std::function<void()> handOvers[] = {
        [this] {
            child<QTimer>("Timer1")->start(0);
            for (int spins = 0; spins < 50 && launches == 0; ++spins)
                QCoreApplication::processEvents();
        },
        [this] { QTest::keyClick(splash.get(), Qt::Key_Escape); },
        [&] { QTest::mouseClick(child<QFrame>("Frame1"), Qt::LeftButton, {}, freeArea); },
        [this] { splash->close(); },
    };
    for (const auto& handOver : handOvers) {
        launches = 0;
        splash = std::make_unique<SplashWindow>(application, calendar, [this] { ++launches; });
        splash->show();
        auto* timer = child<QTimer>("Timer1");
        EXPECT_EQ(child<QLabel>("lblVersion")->text(), QStringLiteral("Version 1.12"));
        EXPECT_TRUE(timer->isActive() && timer->interval() == 2000);
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Down, Qt::Key_F1, Qt::Key_F5, Qt::Key_Shift})
            QTest::keyClick(splash.get(), key);
        for (const char* name : {"imgLogo", "lblProductName", "lblVersion"})
            QTest::mouseClick(child<QLabel>(name), Qt::LeftButton);
        ASSERT_EQ(child<QFrame>("Frame1")->childAt(freeArea), nullptr);
        QTest::mouseClick(child<QFrame>("Frame1"), Qt::RightButton, {}, freeArea);
        EXPECT_EQ(launches, 0);
        handOver();
        EXPECT_EQ(launches, 1);
        EXPECT_FALSE(timer->isActive() || splash->isVisible());
    }
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
