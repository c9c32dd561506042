#pragma once

namespace tessaloom {

// What the splash window hands over to: loading the game window (its Form_Load runs) and
// showing it, modeless and without an owner.
class GameWindowLauncher {
public:
    virtual ~GameWindowLauncher() = default;
    virtual void loadAndShowGameWindow() = 0;
};

} // namespace tessaloom
