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

// The version shows as loaded. The tick (brought forward instead of waiting two seconds), a key
// that produces a character, a left click on the frame's free area, or closing it (its close box,
// Alt+F4) hands over once, and the splash stops its timer and goes; other keys, clicks on the
// picture or a label and the other button leave it up.
TEST(SplashWindow, TheTickAKeyWithACharacterAClickOnTheFreeFrameOrClosingHandsOverAndNothingElse)
{
    testing::ScriptedApplicationInfo application;
    application.minor = 12;
    testing::ScriptedCalendar calendar;
    int launches = 0;
    std::unique_ptr<SplashWindow> splash;
    QTimer* timer = nullptr;
    QFrame* frame = nullptr;
    const QPoint freeArea(300, 74);
    const std::function<void()> handOvers[] = {
        [&] {
            timer->start(0);
            for (int spins = 0; spins < 50 && launches == 0; ++spins)
                QCoreApplication::processEvents();
        },
        [&] { QTest::keyClick(splash.get(), Qt::Key_Escape); },
        [&] { QTest::mouseClick(frame, Qt::LeftButton, {}, freeArea); },
        [&] { splash->close(); },
    };
    for (const auto& handOver : handOvers) {
        launches = 0;
        splash = std::make_unique<SplashWindow>(application, calendar, [&launches] { ++launches; });
        splash->show();
        timer = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
        frame = splash->findChild<QFrame*>(QStringLiteral("Frame1"));
        EXPECT_EQ(splash->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Version 1.12"));
        EXPECT_TRUE(timer->isActive() && timer->interval() == 2000);
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Down, Qt::Key_F1, Qt::Key_F5, Qt::Key_Shift})
            QTest::keyClick(splash.get(), key);
        for (const char* name : {"imgLogo", "lblProductName", "lblVersion"})
            QTest::mouseClick(splash->findChild<QLabel*>(QString::fromLatin1(name)), Qt::LeftButton);
        ASSERT_EQ(frame->childAt(freeArea), nullptr);
        QTest::mouseClick(frame, Qt::RightButton, {}, freeArea);
        EXPECT_EQ(launches, 0);
        handOver();
        EXPECT_EQ(launches, 1);
        EXPECT_FALSE(timer->isActive() || splash->isVisible());
    }
}

// The year is read afresh at each opening, and a clock set too early gives no range that runs
// backwards; Enter and OK each close the box (Escape and the close box are the dialog's own).
TEST(AboutDialog, ReadsTheYearAtEachOpeningAndClosesByEnterOrOk)
{
    testing::ScriptedCalendar calendar;
    const std::function<void(QDialog*)> closers[] = {
        [](QDialog* box) { QTest::keyClick(box, Qt::Key_Return); },
        [](QDialog* box) { box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click(); },
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
    EXPECT_EQ(seen,
              (QStringList{QStringLiteral("About Tessaloom | \u00a9 2004 Marrowquill Software"),
                           QStringLiteral("About Tessaloom | \u00a9 2004-2031 Marrowquill Software")}));
}

} // namespace
} // namespace tessaloom
