#pragma once

#include "pictures/picture_dialog.h"
#include "pictures/picture_dialog_host.h"
#include "settings/memory_registry.h"
#include "settings/settings_store.h"
#include "settings/value_names.h"
#include "help/help_commands.h"
#include "support/scripted_help.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

namespace tessaloom::testing {

// Records what the dialog's menus asked of the program around it.
class ScriptedDialogHost final : public PictureDialogHost {
public:
    int aboutBoxes = 0;
    int programEnds = 0;

    void showAboutBox() override { ++aboutBoxes; }
    void endProgram() override { ++programEnds; }
};

// A picture dialog's logic on scripted services and an in-memory settings store.
class PictureDialogFixture : public ::testing::Test {
protected:
    ScriptedMessageBoxes messageBoxes;
    ScriptedPictures pictures;
    FakeFileSystem files;
    ScriptedFileChooser chooser;
    MemoryRegistry registry;
    SettingsStore settings{registry};
    ScriptedDialogHost host;
    ScriptedHelpViewer helpViewer;
    ScriptedWebBrowser webBrowser;
    FixedProgramFolder programFolder{"/opt/tessaloom"};
    HelpCommands help{programFolder, helpViewer, webBrowser};
    PictureRef noImageSelected = std::make_shared<NamedPicture>("no image selected");
    PictureRef imageNotFound = std::make_shared<NamedPicture>("image not found");
    PictureDialog dialog{{messageBoxes, pictures, files, chooser, settings, host, help}, {noImageSelected, imageNotFound}};

    const PictureDialogControls& controls() const { return dialog.controls(); }

    // The topics the help viewer was asked to show, and how often its index.
    std::vector<std::string> helpTopics() const
    {
        std::vector<std::string> topics;
        for (const auto& request : helpViewer.requests)
            if (request.kind == ScriptedHelpViewer::Request::Topic)
                topics.push_back(request.data);
        return topics;
    }
    int helpIndexes() const { return static_cast<int>(helpViewer.requests.size() - helpTopics().size()); }
    const PictureDialogState& state() const { return dialog.state(); }

    void store(const std::string& name, const SettingValue& value)
    {
        settings.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name, value);
    }
    SettingValue stored(const std::string& name)
    {
        return settings.ReadRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name);
    }
    void storeSlot(int slot, const std::string& label, const std::string& path)
    {
        store(pictureLabelValueName(slot), label);
        store(picturePathValueName(slot), path);
    }
    // The label and path stored for a slot, as texts.
    std::pair<std::string, std::string> storedSlot(int slot)
    {
        return {stored(pictureLabelValueName(slot)).text(), stored(picturePathValueName(slot)).text()};
    }
    // A file that exists and reads as a picture.
    void addPicture(const std::string& path)
    {
        files.files.insert(path);
        pictures.readable.insert(path);
    }

    void type(const std::string& label, const std::string& path)
    {
        dialog.userTypesLabel(label);
        dialog.userTypesPath(path);
    }
    void selectSlot(int slot) { dialog.userSelectsSlot(slot - 1); }
    std::string selectedSlot() const { return controls().cboImage.Text(); }
    std::string preview() const { return pictureName(controls().imgImage.Picture); }
    std::pair<std::string, std::string> boxes() const { return {controls().txtLabel.Text, controls().txtPath.Text}; }
};

} // namespace tessaloom::testing
