#include "help/help_commands.h"

#include "support/scripted_help.h"

#include <gtest/gtest.h>

namespace tessaloom {
namespace {

using testing::FixedProgramFolder;
using testing::ScriptedHelpViewer;
using testing::ScriptedWebBrowser;

class HelpCommandsTest : public ::testing::Test {
protected:
    FixedProgramFolder program{"/opt/tessaloom"};
    ScriptedHelpViewer viewer;
    ScriptedWebBrowser browser;
    HelpCommands commands{program, viewer, browser};
};

// The help file beside the program, each window's start topic, the index with no keyword, the
// same request when repeated, the file looked for afresh at each command; web addresses go to
// the browser as they stand.
TEST_F(HelpCommandsTest, EachCommandAsksTheViewerOrBrowserForItsOwnThing)
{
    commands.showContents(kWelcomeTopic);
    commands.showContents(kWelcomeTopic);
    commands.showContents(kCustomizingPicturesTopic);
    program.folder = "/home/player/tessaloom";
    commands.showIndex();
    commands.openWebSite();
    commands.HyperJump("https://www.marrowquill.example/support/?topic=tiles&lang=en");

#ifdef _WIN32
    const std::string first = R"(/opt/tessaloom\Help\Tessaloom Help.chm)";
#else
    const std::string first = "/opt/tessaloom/Help/Tessaloom Help.chm";
#endif
    EXPECT_EQ(viewer.requests, (std::vector<std::string>{"topic Welcome.htm in " + first, "topic Welcome.htm in " + first,
                                                         "topic Customizing_Pictures.htm in " + first,
                                                         "index  in " + helpFilePath("/home/player/tessaloom")}));
    EXPECT_EQ(browser.opened, (std::vector<std::string>{"https://www.marrowquill.example/tessaloom/",
                                                        "https://www.marrowquill.example/support/?topic=tiles&lang=en"}));
}

TEST_F(HelpCommandsTest, AViewerOrBrowserThatBreaksDownNeverReachesTheCaller)
{
    viewer.fails = true;
    browser.fails = true;

    EXPECT_NO_THROW(commands.showContents(kWelcomeTopic));
    EXPECT_NO_THROW(commands.showIndex());
    EXPECT_NO_THROW(commands.openWebSite());
}

} // namespace
} // namespace tessaloom
