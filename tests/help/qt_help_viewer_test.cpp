// The program's own help viewer, driven through the help commands as the menus drive it, on
// the help file the build compiles.
#include "help/qt/chm_text_browser.h"
#include "help/qt/help_viewer_window.h"
#include "help/qt/qt_help_viewer.h"
#include "pictures/picture_dialog_host.h"
#include "pictures/qt/picture_maintenance.h"
#include "screens/qt/about_dialog.h"

#include "support/scripted_services.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace tessaloom {
namespace {

// A program folder with a copy of the built help file in its Help folder.
class HelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        program.folder = QDir::toNativeSeparators(folder.path()).toStdString();
        installHelp(TESSALOOM_HELP_FILE);
    }

    void installHelp(const char* source)
    {
        QDir(folder.path()).mkpath(QStringLiteral("Help"));
        QFile::remove(helpFile());
        ASSERT_TRUE(QFile::copy(QString::fromUtf8(source), helpFile()));
    }
    QString helpFile() const { return QString::fromStdString(helpFilePath(program.folder)); }

    HelpViewerWindow* window() const { return viewer.window(); }
    bool shown() const { return window() && window()->isVisible(); }
    template <typename Widget>
    Widget* part(const char* name) const
    {
        return window()->findChild<Widget*>(QString::fromLatin1(name));
    }
    ChmTextBrowser* pane() const { return part<ChmTextBrowser>("topic"); }
    QString paneText() const { return pane()->toPlainText(); }
    int tab() const { return part<QTabWidget>("tabs")->currentIndex(); }

    // Clicks a tab as the window system delivers the click, so a modal window could block it.
    int clickTab(int index) const
    {
        QTabBar* bar = part<QTabWidget>("tabs")->tabBar();
        QTest::mouseClick(window()->windowHandle(), Qt::LeftButton, {},
                          bar->mapTo(window(), bar->tabRect(index).center()));
        return tab();
    }

    // Follows a link of the topic as a click on it does.
    void clickLink(const QString& href) const { emit pane()->anchorClicked(QUrl(href)); }

    QTemporaryDir folder;
    testing::ScriptedApplicationInfo program;
    testing::ScriptedHelpAndWeb browser;
    QtHelpViewer viewer{browser};
    HelpCommands commands{program, viewer, browser};
};

// The index with no keyword, narrowed by the field, beside the start topic; the contents with
// the start topic and its picture from the file; links between topics and to anchors are followed
// in the pane, web links go to the browser, nothing outside the file enters the pane. The window
// lies inside the screen, its design width shrunk to the offscreen screen's 800, and that one
// window, even once closed, serves every later command.
TEST_F(HelpViewerTest, IndexAndContentsShowTheFileInAWindowOfItsOwnAndLinksAreFollowed)
{
    commands.showIndex();
    ASSERT_TRUE(shown());
    HelpViewerWindow* first = window();
    EXPECT_TRUE(window()->screen()->availableGeometry().contains(window()->frameGeometry()));
    EXPECT_EQ(tab(), 1);
    EXPECT_EQ(window()->currentTopic(), QStringLiteral("Welcome.htm")); // not a blank pane beside it
    auto* keyword = part<QLineEdit>("keyword");
    auto* index = part<QTreeWidget>("index");
    EXPECT_GT(index->topLevelItemCount(), 30);

    QTest::keyClicks(keyword, QStringLiteral("FLIP"));
    ASSERT_TRUE(index->currentItem());
    EXPECT_EQ(index->currentItem()->text(0), QStringLiteral("flip speed"));
    for (int i = 0; i < index->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = index->topLevelItem(i);
        EXPECT_EQ(item->isHidden(), !item->text(0).contains(QStringLiteral("flip"), Qt::CaseInsensitive)) << i;
    }
    QTest::keyClick(keyword, Qt::Key_Return);
    EXPECT_EQ(window()->currentTopic(), QStringLiteral("Welcome.htm#flipspeed"));

    // A keyword found under a broader one: the broader one stays in view to give it context.
    keyword->clear();
    QTest::keyClicks(keyword, QStringLiteral("resetting"));
    ASSERT_TRUE(index->currentItem());
    EXPECT_EQ(index->currentItem()->text(0), QStringLiteral("records"));
    EXPECT_FALSE(index->currentItem()->isHidden());

    commands.showContents(kWelcomeTopic);
    EXPECT_EQ(tab(), 0);
    EXPECT_EQ(window()->currentTopic(), QStringLiteral("Welcome.htm"));
    EXPECT_EQ(part<QTreeWidget>("contents")->currentItem()->text(0), QStringLiteral("Welcome to Tessaloom"));
    window()->grab();
    const QVariant picture =
        pane()->document()->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/board.png")));
    EXPECT_EQ(picture.value<QPixmap>().size(), QSize(321, 240));

    clickLink(QString::fromLatin1(kMakerWebAddress));
    EXPECT_EQ(browser.requests, std::vector<std::string>{"web https://www.marrowquill.example/tessaloom/"});
    EXPECT_EQ(window()->currentTopic(), QStringLiteral("Welcome.htm"));
    clickLink(QStringLiteral("Customizing_Pictures.htm"));
    EXPECT_EQ(window()->currentTopic(), QStringLiteral("Customizing_Pictures.htm"));
    clickLink(QStringLiteral("Welcome.htm#picture"));
    EXPECT_EQ(part<QTreeWidget>("contents")->currentItem()->text(0), QStringLiteral("The picture"));
    EXPECT_TRUE(pane()->loadResource(QTextDocument::ImageResource, QUrl::fromLocalFile(helpFile())).isNull());
    EXPECT_TRUE(
        pane()->loadResource(QTextDocument::HtmlResource, QUrl(QString::fromLatin1(kMakerWebAddress))).isNull());

    window()->close();
    commands.showContents(kCustomizingPicturesTopic);
    EXPECT_TRUE(window() == first && shown());
    EXPECT_EQ(window()->currentTopic(), QStringLiteral("Customizing_Pictures.htm"));
    commands.showIndex();
    EXPECT_TRUE(keyword->text().isEmpty());
}

// No Help folder, a damaged help file or a topic the file lacks: the commands return and show
// nothing (or say so in the pane). A file replaced while open is read afresh, and nothing of the
// old one stays in view or in the history.
TEST_F(HelpViewerTest, AMissingOrReplacedHelpFileIsReadAfreshAtEachCommand)
{
    ASSERT_TRUE(QFile::resize(helpFile(), 4000));
    commands.showContents(kWelcomeTopic);
    ASSERT_TRUE(QDir(folder.path() + QStringLiteral("/Help")).removeRecursively());
    commands.showIndex();
    EXPECT_FALSE(shown());

    installHelp(TESSALOOM_HELP_FILE);
    commands.showContents("No_Such_Topic.htm");
    ASSERT_TRUE(shown());
    EXPECT_TRUE(paneText().contains(QStringLiteral("No_Such_Topic.htm")));
    commands.showContents(kCustomizingPicturesTopic);
    commands.showContents(kWelcomeTopic);

    installHelp(TESSALOOM_REPLACEMENT_HELP_FILE);
    commands.showContents(kWelcomeTopic);
    EXPECT_TRUE(paneText().contains(QStringLiteral("put in place while the program ran")));
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("Replacement Help"));
    EXPECT_EQ(part<QTreeWidget>("contents")->topLevelItemCount(), 1);
    EXPECT_FALSE(part<QWidget>("back")->isEnabled());
    installHelp(TESSALOOM_HELP_FILE);
    commands.showIndex();
    EXPECT_TRUE(paneText().contains(QStringLiteral("How to play")));
}

// The viewer is a window of its own: the picture dialog and the About box, file chooser and
// message box over it block the windows they belong to, never the viewer; and once the game
// window has closed, the open viewer does not keep the program running.
TEST_F(HelpViewerTest, TheViewerTakesClicksUnderTheModalWindowsAndKeepsNoProgramRunning)
{
    struct AboutOverTheDialog final : PictureDialogHost {
        QWidget* dialog = nullptr;
        testing::ScriptedCalendar calendar;
        void showAboutBox() override { AboutDialog::showModal(dialog, calendar); }
        void endProgram() override {}
    } host;
    QWidget gameWindow;
    gameWindow.show();
    testing::ScriptedServices services;
    PictureMaintenance maintenance(&gameWindow, services.pictures, services.files, services.settings, host, commands);
    QDialog* dialog = maintenance.window();
    host.dialog = dialog;
    std::vector<int> tabs;
    const auto clickTabsThenClose = [&] {
        tabs.insert(tabs.end(), {clickTab(1), clickTab(0)});
        QApplication::activeModalWidget()->close();
    };
    QTimer::singleShot(0, dialog, [&] {
        dialog->findChild<QAction*>(QStringLiteral("mnuContents"))->trigger();
        ASSERT_TRUE(shown());
        dialog->findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger(); // opens from the event loop
        QTimer::singleShot(0, clickTabsThenClose);
        QCoreApplication::processEvents();
        QTimer::singleShot(0, clickTabsThenClose);
        dialog->findChild<QPushButton*>(QStringLiteral("btnBrowse"))->click();
        QTimer::singleShot(0, clickTabsThenClose);
        dialog->findChild<QLineEdit*>(QStringLiteral("txtPath"))->setText(QStringLiteral("/p/x.jpg"));
        dialog->findChild<QPushButton*>(QStringLiteral("btnApply"))->click(); // no label: a message box
        clickTabsThenClose();
    });
    maintenance.exec();
    EXPECT_EQ(tabs, (std::vector<int>{1, 0, 1, 0, 1, 0, 1, 0}));

    // The guard only keeps a failing test from hanging.
    QTimer::singleShot(0, &gameWindow, &QWidget::close);
    QTimer::singleShot(10000, &gameWindow, [] { QApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
}

} // namespace
} // namespace tessaloom
