#include "screens/qt/about_dialog.h"

#include "scripted_screens.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>

namespace tessaloom {
namespace {

TEST(AboutDialog, ReadsTheYearAtEachOpening)
{
    testing::ScriptedCalendar calendar;
    for (const auto& [year, notice] : {std::pair{2004, u"\u00a9 2004 Marrowquill Software"},
                                       std::pair{2031, u"\u00a9 2004-2031 Marrowquill Software"}}) {
        calendar.year = year;
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (auto* box = qobject_cast<AboutDialog*>(QApplication::activeModalWidget())) {
                shown = box->findChild<QLabel*>(QStringLiteral("lblCopyright"))->text();
                box->reject();
            }
        });
        AboutDialog::showModal(nullptr, calendar);
        EXPECT_EQ(shown, QString::fromUtf16(notice));
    }
    EXPECT_EQ(calendar.reads, 2);
}

} // namespace
} // namespace tessaloom
