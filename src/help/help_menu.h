#pragma once

#include "help/help_commands.h"

#include <string>

namespace tessaloom {

// The help and web entries of a window's Help menu. Both windows with a Help menu carry the
// same entries; only the topic Contents opens at differs.
class HelpMenu {
public:
    HelpMenu(const HelpCommands& commands, std::string contentsTopic)
        : commands_(commands)
        , contentsTopic_(std::move(contentsTopic))
    {
    }

    void mnuContents_Click() const { commands_.showContents(contentsTopic_); }
    void mnuIndex_Click() const { commands_.showIndex(); }
    void mnuMarrowquill_Click() const { commands_.openWebSite(); }

private:
    const HelpCommands& commands_;
    std::string contentsTopic_;
};

} // namespace tessaloom
