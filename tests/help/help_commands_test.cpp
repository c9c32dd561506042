#include "help/help_commands.h"

#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "help/win32_help_viewer.h"
#endif

namespace tessaloom::testing {
namespace {

// The help file beside the program, each window's start topic, the index with no keyword, the
// same request when repeated, the file looked for afresh at each command; web addresses go to
// the browser as they stand. A viewer or browser that breaks down never reaches the caller.
TEST(HelpCommands, EachCommandAsksTheViewerOrBrowserForItsOwnThingAndNeverFails)
{
    ScriptedApplicationInfo program;
    ScriptedHelpAndWeb help;
    const HelpCommands commands{program, help, help};
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
    EXPECT_EQ(help.requests,
              (std::vector<std::string>{"topic Welcome.htm in " + first, "topic Welcome.htm in " + first,
                                        "topic Customizing_Pictures.htm in " + first,
                                        "index  in " + helpFilePath("/home/player/tessaloom"),
                                        "web https://www.marrowquill.example/tessaloom/",
                                        "web https://www.marrowquill.example/support/?topic=tiles&lang=en"}));
    help.fails = true;
    EXPECT_NO_THROW(commands.showContents(kWelcomeTopic); commands.showIndex(); commands.openWebSite());
}

#ifdef _WIN32
TEST(Win32HelpViewer, WithoutTheViewerComponentTheCommandsReturnAndDoNothing)
{
    Win32HelpViewer viewer(L"no-such-help-component.ocx");
    viewer.displayTopic(R"(C:\Games\Tessaloom\Help\Tessaloom Help.chm)", "Welcome.htm");
    viewer.displayIndex(R"(C:\Games\Tessaloom\Help\Tessaloom Help.chm)", "");
    EXPECT_FALSE(viewer.loaded());
}
#endif

} // namespace
} // namespace tessaloom::testing
