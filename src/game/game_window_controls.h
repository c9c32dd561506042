#pragma once

#include "game/game_state.h"
#include "game/stored_settings.h"
#include "platform/picture.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tessaloom {

// The game window's controls as the logic sees them. The Qt window copies this model onto its
// widgets after every event it forwards. Positions and sizes are twips, inside the board frame.
struct CardButton {
    bool Visible = false;
    std::string Caption;
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
};

// A drop-down list or list box that keeps its entries in the order they were added.
struct ListControl {
    std::vector<std::string> entries;
    int ListIndex = -1;

    // The selected entry's text, or empty text when nothing is selected.
    std::string Text() const
    {
        return ListIndex >= 0 && ListIndex < static_cast<int>(entries.size()) ? entries[ListIndex] : std::string();
    }
    void Clear()
    {
        entries.clear();
        ListIndex = -1;
    }
    void AddItem(std::string entry) { entries.push_back(std::move(entry)); }
};

struct ImageControl {
    PictureRef Picture;
};

// The flip-speed slider: its range and starting value are the stored flip delay's.
struct SliderControl {
    int Min = stored::FlipSpeed.min;
    int Max = stored::FlipSpeed.max;
    int SmallChange = 1;
    int LargeChange = 5;
    int Value = stored::FlipSpeed.fallback;
};

// A window timer: it ticks every Interval milliseconds while Enabled. Every start and every
// new interval restarts the countdown; `restarts` counts them so a view can tell a restart
// from a copy of the same state.
struct TimerControl {
    bool Enabled = false;
    int Interval = stored::FlipSpeed.fallback;
    std::uint32_t restarts = 0;

    bool running() const { return Enabled && Interval > 0; }
    void start()
    {
        Enabled = true;
        ++restarts;
    }
    void stop() { Enabled = false; }
    void setInterval(int milliseconds)
    {
        Interval = milliseconds;
        ++restarts;
    }
};

// What a screen reader announces without the player moving the focus. `count` tells a new
// announcement from a copy of the last one, so the same text twice is announced twice.
struct Announcement {
    std::string Text = "no pair turned yet";
    std::uint32_t count = 0;

    void announce(std::string text)
    {
        Text = std::move(text);
        ++count;
    }
};

struct GameWindowControls {
    std::array<CardButton, kBoardPositions> btnButton{};
    std::string lblNumTries = " 0";
    std::string lblNumRecord = " 0";
    ListControl cboRows;
    ListControl cboPictures;
    ListControl lstPaths;
    ImageControl imgImage;
    ImageControl imgMarrowquill;
    SliderControl Slider1;
    TimerControl Timer1;
    std::string mnuViewCaption = "&View";
    Announcement turnOutcome; // how the last turn was judged
};

} // namespace tessaloom
