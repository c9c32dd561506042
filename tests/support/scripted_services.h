#pragma once

// What every window's logic is given in tests: the scripted platform, an in-memory settings
// store and help commands on a scripted viewer and browser.
#include "game/stored_settings.h"
#include "help/help_commands.h"
#include "settings/settings_store.h"
#include "support/memory_registry.h"
#include "support/scripted_platform.h"

namespace tessaloom::testing {

struct ScriptedServices {
    ScriptedMessageBoxes messageBoxes;
    ScriptedPictures pictures;
    FakeFileSystem files;
    MemoryRegistry registry;
    SettingsStore settings{registry};
    ScriptedHelpAndWeb helpAndWeb;
    ScriptedApplicationInfo application;
    HelpCommands help{application, helpAndWeb, helpAndWeb};

    void store(const std::string& name, const SettingValue& value)
    {
        settings.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name, value);
    }
    SettingValue stored(const std::string& name)
    {
        return settings.ReadRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name);
    }
};

} // namespace tessaloom::testing
