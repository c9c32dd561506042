#pragma once

#include "game/game_window.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

namespace tessaloom::testing {

// A game window's logic on scripted services.
class GameFixture : public ::testing::Test {
protected:
    ScriptedMessageBoxes messageBoxes;
    ScriptedPictures pictures;
    FakeFileSystem files;
    ScriptedRandom random;
    GameWindow game{{messageBoxes, pictures, files, random}};

    const GameState& state() const { return game.state(); }
    const GameWindowControls& controls() const { return game.controls(); }
    const CardButton& card(int p) const { return game.controls().btnButton[p]; }

    // The other position that carries the same pair number as position p.
    int partnerOf(int p) const
    {
        for (int q = 0; q < state().NumCards; ++q)
            if (q != p && state().CardValue[q] == state().CardValue[p])
                return q;
        return -1;
    }
    // A position in use whose pair number differs from position p's.
    int strangerOf(int p) const
    {
        for (int q = 0; q < state().NumCards; ++q)
            if (state().CardValue[q] != state().CardValue[p])
                return q;
        return -1;
    }
};

} // namespace tessaloom::testing
