#include "screens/qt/about_dialog.h"

#include "scripted_screens.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace tessaloom {
namespace {

// The year is read afresh at each opening; Enter, Escape, OK and the close box each close the box.
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
        calendar.year = calendar.year == 2004 ? 2031 : 2004;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            seen << box->windowTitle() + QStringLiteral(" | ") + box->findChild<QLabel*>(QStringLiteral("lblCopyright"))->text();
            closeTheBox(box);
            if (box->isVisible()) {
                seen << QStringLiteral("still open");
                box->reject();
            }
        });
        AboutDialog::showModal(nullptr, calendar);
    }
    const QString y2031 = QStringLiteral("About Tessaloom | \u00a9 2004-2031 Marrowquill Software");
    const QString y2004 = QStringLiteral("About Tessaloom | \u00a9 2004 Marrowquill Software");
    EXPECT_EQ(seen, (QStringList{y2031, y2004, y2031, y2004}));
}

} // namespace
} // namespace tessaloom
