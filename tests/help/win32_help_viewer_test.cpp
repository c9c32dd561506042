#include "help/win32_help_viewer.h"

#include <gtest/gtest.h>

namespace tessaloom {
namespace {

TEST(Win32HelpViewer, WithoutTheViewerComponentTheCommandsReturnAndDoNothing)
{
    Win32HelpViewer viewer(L"no-such-help-component.ocx");

    viewer.displayTopic(R"(C:\Games\Tessaloom\Help\Tessaloom Help.chm)", "Welcome.htm");
    viewer.displayIndex(R"(C:\Games\Tessaloom\Help\Tessaloom Help.chm)", "");

    EXPECT_FALSE(viewer.loaded());
}

} // namespace
} // namespace tessaloom
