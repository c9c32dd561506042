#include "help/help_commands.h"

#include "support/scripted_help.h"

#include <gtest/gtest.h>

namespace tessaloom {
namespace {

using testing::FixedProgramFolder;
using testing::ScriptedHelpViewer;
using testing::ScriptedWebBrowser;
using Request = ScriptedHelpViewer::Request;

TEST(HelpFilePath, IsTheProgramFolderFollowedByTheHelpFolderAndFileName)
{
    EXPECT_EQ(helpFilePath(R"(C:\Program Files\Tessaloom)", '\\'),
              R"(C:\Program Files\Tessaloom\Help\Tessaloom Help.chm)");
    EXPECT_EQ(helpFilePath("/usr/lib/tessaloom", '/'), "/usr/lib/tessaloom/Help/Tessaloom Help.chm");
#ifdef _WIN32
    EXPECT_EQ(helpFilePath(R"(D:\Games)"), R"(D:\Games\Help\Tessaloom Help.chm)");
#else
    EXPECT_EQ(helpFilePath("/opt/games"), "/opt/games/Help/Tessaloom Help.chm");
#endif
}

class HelpCommandsTest : public ::testing::Test {
protected:
    FixedProgramFolder program{"/opt/tessaloom"};
    ScriptedHelpViewer viewer;
    ScriptedWebBrowser browser;
    HelpCommands commands{program, viewer, browser};

    std::string helpFileIn(const std::string& folder) const { return helpFilePath(folder); }
};

TEST_F(HelpCommandsTest, ContentsOpensTheStartTopicOfTheWindowThatAsks)
{
    commands.showContents(kWelcomeTopic);
    commands.showContents(kCustomizingPicturesTopic);

    const std::string file = helpFileIn("/opt/tessaloom");
    EXPECT_EQ(viewer.requests, (std::vector<Request>{{Request::Topic, file, "Welcome.htm"},
                                                     {Request::Topic, file, "Customizing_Pictures.htm"}}));
    EXPECT_TRUE(browser.opened.empty());
}

TEST_F(HelpCommandsTest, IndexOpensWithNoKeyword)
{
    commands.showIndex();
    EXPECT_EQ(viewer.requests, (std::vector<Request>{{Request::Index, helpFileIn("/opt/tessaloom"), ""}}));
}

TEST_F(HelpCommandsTest, EveryCommandAsksTheSameOfTheViewerAndFindsTheFileAfresh)
{
    commands.showContents(kWelcomeTopic);
    commands.showContents(kWelcomeTopic);
    program.folder = "/home/player/tessaloom";
    commands.showContents(kWelcomeTopic);
    commands.showIndex();

    ASSERT_EQ(viewer.requests.size(), 4u);
    EXPECT_EQ(viewer.requests[0], viewer.requests[1]);
    EXPECT_EQ(viewer.requests[2].helpFile, helpFileIn("/home/player/tessaloom"));
    EXPECT_EQ(viewer.requests[3].helpFile, helpFileIn("/home/player/tessaloom"));
}

TEST_F(HelpCommandsTest, TheWebCommandOpensTheMakersSite)
{
    commands.openWebSite();
    commands.HyperJump("https://www.marrowquill.example/support/?topic=tiles&lang=en");

    EXPECT_EQ(browser.opened, (std::vector<std::string>{"https://www.marrowquill.example/tessaloom/",
                                                        "https://www.marrowquill.example/support/?topic=tiles&lang=en"}));
    EXPECT_TRUE(viewer.requests.empty());
}

TEST_F(HelpCommandsTest, AViewerOrBrowserThatBreaksDownNeverReachesTheCaller)
{
    viewer.fails = true;
    browser.fails = true;

    EXPECT_NO_THROW(commands.showContents(kWelcomeTopic));
    EXPECT_NO_THROW(commands.showIndex());
    EXPECT_NO_THROW(commands.openWebSite());

    // Once the viewer works again, so do the commands.
    viewer.fails = false;
    commands.showIndex();
    EXPECT_EQ(viewer.requests.size(), 1u);
}

} // namespace
} // namespace tessaloom
