// The program's own help viewer, driven through the help commands as the menus drive it, on
// the help file the build compiles.
#include "help/help_commands.h"
#include "help/qt/chm_text_browser.h"
#include "help/qt/help_viewer_window.h"
#include "help/qt/qt_help_viewer.h"

#include "support/scripted_help.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace tessaloom {
namespace {

using testing::FixedProgramFolder;
using testing::ScriptedWebBrowser;

// A program folder with a copy of the built help file in its Help folder.
class HelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        installHelp(TESSALOOM_HELP_FILE);
    }

    void installHelp(const char* source)
    {
        QDir(folder.path()).mkpath(QStringLiteral("Help"));
        const QString target = QString::fromStdString(helpFilePath(program.folder));
        QFile::remove(target);
        ASSERT_TRUE(QFile::copy(QString::fromUtf8(source), target));
    }

    HelpViewerWindow* window() const { return viewer.window(); }
    bool shown() const { return window() && window()->isVisible(); }
    template <typename Widget>
    Widget* part(const char* name) const
    {
        auto* widget = window()->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_TRUE(widget) << name;
        return widget;
    }
    ChmTextBrowser* pane() const { return part<ChmTextBrowser>("topic"); }
    QString paneText() const { return pane()->toPlainText(); }
    int tab() const { return part<QTabWidget>("tabs")->currentIndex(); }

    // Clicks the first link to the address, as the player would.
    void clickLink(const QString& href)
    {
        QTextDocument* document = pane()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (!fragment.charFormat().isAnchor() || fragment.charFormat().anchorHref() != href)
                    continue;
                QTextCursor cursor(document);
                cursor.setPosition(fragment.position() + fragment.length() / 2);
                pane()->setTextCursor(cursor);
                pane()->ensureCursorVisible();
                QTest::mouseClick(pane()->viewport(), Qt::LeftButton, {}, pane()->cursorRect(cursor).center());
                return;
            }
        }
        ADD_FAILURE() << "no link to " << href.toStdString();
    }

    QTemporaryDir folder;
    FixedProgramFolder program{QDir::toNativeSeparators(folder.path()).toStdString()};
    ScriptedWebBrowser browser;
    QtHelpViewer viewer{browser};
    HelpCommands commands{program, viewer, browser};
};

TEST_F(HelpViewerTest, ContentsShowsTheWelcomeTopicInAWindowOfItsOwn)
{
    commands.showContents(kWelcomeTopic);

    ASSERT_TRUE(shown());
    EXPECT_EQ(window()->parentWidget(), nullptr);
    EXPECT_TRUE(window()->isWindow());
    EXPECT_EQ(window()->windowModality(), Qt::NonModal);
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("Tessaloom Help"));
    EXPECT_EQ(window()->currentTopic(), QStringLiteral("Welcome.htm"));
    EXPECT_EQ(tab(), 0);
    EXPECT_TRUE(paneText().contains(QStringLiteral("Welcome to Tessaloom")));
    EXPECT_TRUE(paneText().contains(QStringLiteral("How to play")));
    ASSERT_TRUE(part<QTreeWidget>("contents")->currentItem());
    EXPECT_EQ(part<QTreeWidget>("contents")->currentItem()->text(0), QStringLiteral("Welcome to Tessaloom"));

    // The picture and the style sheet come out of the help file.
    window()->grab();
    const QVariant picture = pane()->document()->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/board.png")));
    EXPECT_EQ(picture.value<QPixmap>().size(), QSize(321, 240));
    EXPECT_FALSE(pane()->loadResource(QTextDocument::StyleSheetResource, QUrl(QStringLiteral("tessaloom.css"))).isNull());
}

TEST_F(HelpViewerTest, LinksLeadFromTopicToTopicAndBack)
{
    commands.showContents(kWelcomeTopic);
    ASSERT_TRUE(shown());

    clickLink(QStringLiteral("Customizing_Pictures.htm"));
    EXPECT_EQ(window()->currentTopic(), QStringLiteral("Customizing_Pictures.htm"));
    EXPECT_TRUE(paneText().contains(QStringLiteral("Picture Maintenance")));
    EXPECT_EQ(part<QTreeWidget>("contents")->currentItem()->text(0), QStringLiteral("Using your own pictures"));

    clickLink(QStringLiteral("Welcome.htm#picture"));
    EXPECT_EQ(window()->currentTopic(), QStringLiteral("Welcome.htm#picture"));
    EXPECT_EQ(part<QTreeWidget>("contents")->currentItem()->text(0), QStringLiteral("The picture"));

    part<QToolButton>("back")->click();
    EXPECT_EQ(window()->currentTopic(), QStringLiteral("Customizing_Pictures.htm"));
    part<QToolButton>("home")->click();
    EXPECT_EQ(window()->currentTopic(), QStringLiteral("Welcome.htm"));
    EXPECT_TRUE(browser.opened.empty());
}

TEST_F(HelpViewerTest, WebLinksGoToTheBrowserAndLeaveThePaneAsItIs)
{
    commands.showContents(kWelcomeTopic);
    ASSERT_TRUE(shown());

    clickLink(QString::fromLatin1(kMakerWebAddress));
    EXPECT_EQ(browser.opened, std::vector<std::string>{kMakerWebAddress});
    EXPECT_EQ(window()->currentTopic(), QStringLiteral("Welcome.htm"));

    // Nothing outside the help file is ever loaded into the pane.
    const QUrl outside = QUrl::fromLocalFile(QString::fromStdString(helpFilePath(program.folder)));
    EXPECT_TRUE(pane()->loadResource(QTextDocument::ImageResource, outside).isNull());
    EXPECT_TRUE(pane()->loadResource(QTextDocument::HtmlResource, QUrl(QString::fromLatin1(kMakerWebAddress))).isNull());
}

TEST_F(HelpViewerTest, IndexOpensWithNoKeywordAndTheFieldFindsKeywords)
{
    commands.showIndex();

    ASSERT_TRUE(shown());
    EXPECT_EQ(tab(), 1);
    auto* keyword = part<QLineEdit>("keyword");
    auto* index = part<QTreeWidget>("index");
    EXPECT_TRUE(keyword->text().isEmpty());
    int shownEntries = 0;
    for (int i = 0; i < index->topLevelItemCount(); ++i)
        shownEntries += index->topLevelItem(i)->isHidden() ? 0 : 1;
    EXPECT_EQ(shownEntries, index->topLevelItemCount());
    EXPECT_GT(shownEntries, 30);
    // The start page shows beside the index.
    EXPECT_EQ(window()->currentTopic(), QStringLiteral("Welcome.htm"));

    QTest::keyClicks(keyword, QStringLiteral("FLIP"));
    ASSERT_TRUE(index->currentItem());
    EXPECT_EQ(index->currentItem()->text(0), QStringLiteral("flip speed"));
    for (int i = 0; i < index->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = index->topLevelItem(i);
        EXPECT_EQ(item->isHidden(), !item->text(0).contains(QStringLiteral("flip"), Qt::CaseInsensitive))
            << item->text(0).toStdString();
    }

    QTest::keyClick(keyword, Qt::Key_Return);
    EXPECT_EQ(window()->currentTopic(), QStringLiteral("Welcome.htm#flipspeed"));
    EXPECT_TRUE(paneText().contains(QStringLiteral("Flip speed")));

    // A keyword found under a broader one: the broader one stays in view to give it context.
    keyword->clear();
    QTest::keyClicks(keyword, QStringLiteral("resetting"));
    ASSERT_TRUE(index->currentItem());
    EXPECT_EQ(index->currentItem()->text(0), QStringLiteral("records"));
    EXPECT_FALSE(index->currentItem()->isHidden());
}

TEST_F(HelpViewerTest, AnOpenViewerIsReusedForEveryCommand)
{
    commands.showIndex();
    HelpViewerWindow* first = window();
    ASSERT_TRUE(shown());
    part<QLineEdit>("keyword")->setText(QStringLiteral("rows"));

    commands.showContents(kCustomizingPicturesTopic);
    EXPECT_EQ(window(), first);
    EXPECT_EQ(tab(), 0);
    EXPECT_EQ(window()->currentTopic(), QStringLiteral("Customizing_Pictures.htm"));

    window()->close();
    EXPECT_FALSE(shown());
    commands.showContents(kWelcomeTopic);
    EXPECT_EQ(window(), first);
    EXPECT_TRUE(shown());
    EXPECT_EQ(window()->currentTopic(), QStringLiteral("Welcome.htm"));

    commands.showIndex();
    EXPECT_EQ(tab(), 1);
    EXPECT_TRUE(part<QLineEdit>("keyword")->text().isEmpty());

    int helpWindows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        helpWindows += qobject_cast<HelpViewerWindow*>(widget) ? 1 : 0;
    EXPECT_EQ(helpWindows, 1);
}

TEST_F(HelpViewerTest, WithoutAHelpFolderTheCommandsReturnAndShowNothing)
{
    ASSERT_TRUE(QDir(folder.path() + QStringLiteral("/Help")).removeRecursively());

    commands.showContents(kWelcomeTopic);
    commands.showIndex();
    commands.showContents(kCustomizingPicturesTopic);
    EXPECT_FALSE(shown());

    // Something that is no help file where the help file belongs shows nothing either.
    QDir(folder.path()).mkpath(QStringLiteral("Help"));
    QFile junk(QString::fromStdString(helpFilePath(program.folder)));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a help file");
    junk.close();
    commands.showContents(kWelcomeTopic);
    EXPECT_FALSE(shown());

    // Installed while the program runs, the help file is found by the next command.
    installHelp(TESSALOOM_HELP_FILE);
    commands.showContents(kWelcomeTopic);
    ASSERT_TRUE(shown());
    EXPECT_TRUE(paneText().contains(QStringLiteral("How to play")));
}

TEST_F(HelpViewerTest, AHelpFileReplacedWhileOpenIsReadAfresh)
{
    commands.showContents(kWelcomeTopic);
    ASSERT_TRUE(paneText().contains(QStringLiteral("How to play")));

    installHelp(TESSALOOM_REPLACEMENT_HELP_FILE);
    commands.showContents(kWelcomeTopic);
    EXPECT_TRUE(paneText().contains(QStringLiteral("put in place while the program ran")));
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("Replacement Help"));
    EXPECT_EQ(part<QTreeWidget>("contents")->topLevelItemCount(), 1);
    EXPECT_FALSE(part<QToolButton>("back")->isEnabled());

    // A topic the new file lacks is reported in the pane, not by a message box.
    commands.showContents(kCustomizingPicturesTopic);
    EXPECT_TRUE(paneText().contains(QStringLiteral("Customizing_Pictures.htm")));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // Replaced back, with the index asked for: the start page of the new file shows beside it.
    installHelp(TESSALOOM_HELP_FILE);
    commands.showIndex();
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("Tessaloom Help"));
    EXPECT_TRUE(paneText().contains(QStringLiteral("How to play")));
}

TEST_F(HelpViewerTest, AnOpenHelpWindowDoesNotKeepTheProgramRunning)
{
    QWidget gameWindow;
    gameWindow.show();
    commands.showContents(kWelcomeTopic);
    ASSERT_TRUE(shown());

    // Closing the game window must end the event loop at once; the second timer only keeps
    // a failing test from hanging.
    QTimer::singleShot(0, &gameWindow, &QWidget::close);
    bool stuck = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&stuck] {
        stuck = true;
        QApplication::exit(1);
    });
    guard.start(10000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(stuck);
}

} // namespace
} // namespace tessaloom
