// A record, the row count and the flip delay survive a restart of the program, through the
// settings file the program really uses off Windows.
#ifndef _WIN32
#include "game_fixture.h"
#include "settings/reg_file_registry.h"

#include <filesystem>
#include <unistd.h>

namespace tessaloom::testing {
namespace {

TEST(PersistenceTest, SettingsAndRecordsAreKeptBetweenRuns)
{
    const auto folder = std::filesystem::temp_directory_path() / ("tessaloom-runs-" + std::to_string(::getpid()));
    ScriptedServices services;
    ScriptedRandom random;
    ScriptedHost host;
    const auto run = [&](const std::function<void(GameWindow&)>& play) {
        RegFileRegistry registry((folder / "Tessaloom.reg").string());
        SettingsStore settings(registry);
        GameWindow game({services.messageBoxes, services.pictures, services.files, random, settings, host, services.help});
        game.Form_Load();
        play(game);
    };
    run([&](GameWindow& game) {
        game.userSelectsRows(1);
        game.userChangesSlider(750);
        for (int a = 0; a < game.state().NumCards && services.messageBoxes.shown.empty(); ++a) {
            for (int b = a + 1; game.controls().btnButton[a].Visible && b < game.state().NumCards; ++b)
                if (game.state().CardValue[b] == game.state().CardValue[a]) {
                    game.btnButton_Click(a);
                    game.btnButton_Click(b);
                    game.Timer1_Timer();
                }
        }
    });
    ASSERT_EQ(services.messageBoxes.shown.back(), "You got the record number of tries!");
    run([](GameWindow& game) {
        EXPECT_EQ(game.state().NumRows, 3);
        EXPECT_EQ(game.controls().lblNumRecord, " 6");
        EXPECT_EQ(game.controls().Timer1.Interval, 750);
    });
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace tessaloom::testing
#endif
