// A record, the row count and the flip delay survive a restart of the program, through the
// settings file the program really uses off Windows.
#ifndef _WIN32
#include "game_fixture.h"
#include "settings/reg_file_registry.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace tessaloom::testing {
namespace {

TEST(PersistenceTest, SettingsAndRecordsAreKeptBetweenRuns)
{
    const auto folder = std::filesystem::temp_directory_path() / ("tessaloom-runs-" + std::to_string(::getpid()));
    const std::string file = (folder / "Tessaloom.reg").string();
    ScriptedMessageBoxes boxes;
    ScriptedPictures pictures;
    FakeFileSystem files;
    ScriptedRandom random;
    ScriptedHost host;
    ScriptedHelpViewer viewer;
    ScriptedWebBrowser browser;
    FixedProgramFolder programFolder{"/opt/tessaloom"};
    HelpCommands help{programFolder, viewer, browser};
    {
        RegFileRegistry registry(file);
        SettingsStore settings(registry);
        GameWindow game({boxes, pictures, files, random, settings, host, help});
        game.Form_Load();
        game.userSelectsRows(1);
        game.userChangesSlider(750);
        for (int pair = 0; pair < game.state().NumPairs; ++pair) {
            int a = 0;
            while (!game.controls().btnButton[a].Visible)
                ++a;
            int b = a + 1;
            while (!game.controls().btnButton[b].Visible || game.state().CardValue[b] != game.state().CardValue[a])
                ++b;
            game.btnButton_Click(a);
            game.btnButton_Click(b);
            game.Timer1_Timer();
        }
        ASSERT_EQ(boxes.shown.back(), "You got the record number of tries!");
    }
    RegFileRegistry registry(file);
    SettingsStore settings(registry);
    GameWindow game({boxes, pictures, files, random, settings, host, help});
    game.Form_Load();
    EXPECT_EQ(game.state().NumRows, 3);
    EXPECT_EQ(game.state().Records[3], 6);
    EXPECT_EQ(game.controls().lblNumRecord, " 6");
    EXPECT_EQ(game.controls().Timer1.Interval, 750);
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace tessaloom::testing
#endif
