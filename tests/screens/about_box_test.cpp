#include "screens/about_box.h"

#include "scripted_screens.h"

#include <gtest/gtest.h>

namespace tessaloom {
namespace {

TEST(AboutBox, CopyrightIsForTheYearOfEachLoadAndTheVersionStaysFixed)
{
    testing::ScriptedCalendar calendar;
    for (const auto& [year, text] : {std::pair{2004, "\xC2\xA9 2004 Marrowquill Software"},
                                     std::pair{2031, "\xC2\xA9 2004-2031 Marrowquill Software"}}) {
        calendar.year = year;
        AboutBox box(calendar);
        EXPECT_EQ(box.controls().lblCopyright, "\xC2\xA9 2004 Marrowquill Software");
        box.Form_Load();
        EXPECT_EQ(box.controls().lblCopyright, text);
        EXPECT_EQ(box.controls().lblVersion, "Version 1.0");
        EXPECT_FALSE(box.controls().Unloaded);
        box.cmdOK_Click();
        EXPECT_TRUE(box.controls().Unloaded);
    }
    EXPECT_EQ(calendar.reads, 2);
}

} // namespace
} // namespace tessaloom
