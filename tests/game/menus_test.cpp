#include "game_fixture.h"

namespace tessaloom::testing {
namespace {

class MenusTest : public GameFixture {
protected:
    void SetUp() override { game.Form_Load(); }
};

// The list is rebuilt when the dialog has closed, and a tick that fell due inside it is judged
// then; the game goes on. Ended from inside the dialog, the program runs nothing more.
TEST_F(MenusTest, MaintainPicturesRebuildsTheListThenJudgesTheTickUnlessTheProgramEnded)
{
    const auto values = state().CardValue;
    int slot = 0;
    int pairsInside = -1;
    host.whileOpen = [&] {
        ++slot;
        const std::string path = "/p/" + std::to_string(slot) + ".jpg";
        store(pictureLabelValueName(slot), "Fresh");
        store(picturePathValueName(slot), path);
        files.files.insert(path);
        game.Timer1_Timer();
        pairsInside = state().PairsFound;
        if (slot == 2)
            host.endProgram();
    };
    game.btnButton_Click(0);
    game.btnButton_Click(partnerOf(0));
    game.mnuImages_Click();
    EXPECT_EQ(pairsInside, 0);
    EXPECT_EQ(state().PairsFound, 1);
    EXPECT_EQ(controls().cboPictures.entries, (std::vector<std::string>{"Marrowquill Software Logo", "Fresh"}));
    EXPECT_EQ(pictures.prepared, std::vector<std::string>{"/p/1.jpg"});
    EXPECT_EQ(state().CardValue, values);

    const int a = firstVisible();
    game.btnButton_Click(a);
    game.btnButton_Click(partnerOf(a));
    game.mnuImages_Click();
    EXPECT_EQ(state().PairsFound, 1);
    EXPECT_EQ(controls().cboPictures.entries.size(), 2u);
}

TEST_F(MenusTest, ExitAndClosingEndTheProgramWithoutWriting)
{
    const int writes = registry.writes;
    game.mnuExit_Click();
    game.Form_Unload();
    EXPECT_EQ(host.programEnds, 2);
    EXPECT_EQ(registry.writes, writes);
    EXPECT_TRUE(messageBoxes.shown.empty());
}

} // namespace
} // namespace tessaloom::testing
