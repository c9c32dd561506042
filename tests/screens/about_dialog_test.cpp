#include "screens/qt/about_dialog.h"

#include "label_fit.h"
#include "scripted_screens.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

namespace tessaloom {
namespace {

using testing::ScriptedCalendar;

class AboutDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    }

    ScriptedCalendar calendar;
    QWidget owner;

    // Opens the box the way the menus do and runs `whileOpen` on it from inside its modal loop.
    void openOver(QWidget* opener, const std::function<void(AboutDialog&)>& whileOpen)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            ran = true;
            whileOpen(*box);
            // Whatever the check did, the box must not stay open and hang the test.
            if (box->isVisible())
                box->reject();
        });
        AboutDialog::showModal(opener, calendar);
        EXPECT_TRUE(ran);
    }
    template <typename T>
    static T* child(const QWidget& window, const char* name)
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
};

TEST_F(AboutDialogTest, IsAModalBoxOwnedByItsOpenerAndReadsTheYearAtEachOpening)
{
    owner.show();
    calendar.year = 2004;
    openOver(&owner, [&](AboutDialog& box) {
        EXPECT_EQ(box.parentWidget(), &owner);
        EXPECT_TRUE(box.isModal());
        EXPECT_EQ(box.windowTitle(), QStringLiteral("About Tessaloom"));
        EXPECT_EQ(child<QLabel>(box, "lblCopyright")->text(), QStringLiteral("\u00a9 2004 Marrowquill Software"));
        QTest::keyClick(&box, Qt::Key_Escape);
        EXPECT_FALSE(box.isVisible());
    });
    calendar.year = 2031;
    openOver(&owner, [&](AboutDialog& box) {
        EXPECT_EQ(child<QLabel>(box, "lblCopyright")->text(),
                  QStringLiteral("\u00a9 2004-2031 Marrowquill Software"));
        EXPECT_EQ(child<QLabel>(box, "lblVersion")->text(), QStringLiteral("Version 1.0"));
    });
    EXPECT_EQ(calendar.reads, 2);
}

TEST_F(AboutDialogTest, EnterEscapeOkAndTheCloseBoxAllCloseIt)
{
    const std::vector<std::pair<const char*, std::function<void(AboutDialog&)>>> ways = {
        {"Enter", [](AboutDialog& box) { QTest::keyClick(&box, Qt::Key_Return); }},
        {"Escape", [](AboutDialog& box) { QTest::keyClick(&box, Qt::Key_Escape); }},
        {"OK",
         [](AboutDialog& box) {
             QTest::mouseClick(box.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
         }},
        {"close box", [](AboutDialog& box) { box.close(); }},
    };
    for (const auto& [name, press] : ways) {
        SCOPED_TRACE(name);
        AboutDialog box(calendar, &owner);
        box.show();
        ASSERT_TRUE(box.isVisible());
        press(box);
        EXPECT_FALSE(box.isVisible());
    }
}

TEST_F(AboutDialogTest, HasItsFixedLayoutDefaultButtonAndEtchedSeparator)
{
    AboutDialog box(calendar, &owner);
    box.show();
    EXPECT_EQ(box.size(), QSize(480, 325));
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    // Centred on the screen, to the pixel that halving an odd height allows.
    EXPECT_LE((box.frameGeometry().center() - box.screen()->availableGeometry().center()).manhattanLength(), 1);
    EXPECT_FALSE(box.windowIcon().isNull());

    auto* ok = child<QPushButton>(box, "cmdOK");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(box.focusWidget(), ok);

    const auto* picture = child<QLabel>(box, "Image1");
    EXPECT_EQ(picture->geometry(), QRect(8, 8, 204, 237));
    EXPECT_EQ(picture->pixmap().size(), QSize(200, 233));
    EXPECT_EQ(picture->contentsRect().size(), QSize(200, 233));

    // The separator as drawn: a grey line of one pixel over a white one of two.
    const QImage shot = box.grab().toImage();
    for (int x : {10, 240, 470}) {
        EXPECT_EQ(shot.pixelColor(x, 251), QColor(128, 128, 128)) << x;
        EXPECT_EQ(shot.pixelColor(x, 252), QColor(Qt::white)) << x;
        EXPECT_EQ(shot.pixelColor(x, 253), QColor(Qt::white)) << x;
    }
    EXPECT_NE(shot.pixelColor(240, 250), QColor(128, 128, 128));
    EXPECT_NE(shot.pixelColor(240, 254), QColor(Qt::white));
}

// The notice is checked with the widest year it can carry.
TEST_F(AboutDialogTest, EveryTextFitsItsLabel)
{
    calendar.year = 2999;
    AboutDialog box(calendar, &owner);
    testing::expectEveryTextFits(box);
}

} // namespace
} // namespace tessaloom
