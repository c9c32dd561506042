#pragma once

#include "pictures/picture_dialog.h"
#include "pictures/picture_dialog_host.h"
#include "support/scripted_services.h"

#include <gtest/gtest.h>

namespace tessaloom::testing {

// Records what the dialog's menus asked of the program around it.
struct ScriptedDialogHost final : PictureDialogHost {
    int programEnds = 0;
    void showAboutBox() override {}
    void endProgram() override { ++programEnds; }
};

using Slot = std::pair<std::string, std::string>;
using InView = std::tuple<std::string, std::string, std::string>; // the selector's slot and the boxes

// A picture dialog's logic on scripted services and an in-memory settings store.
class PictureDialogTest : public ::testing::Test, protected ScriptedServices {
protected:
    ScriptedFileChooser chooser;
    ScriptedDialogHost host;
    PictureDialog dialog{
        {messageBoxes, pictures, files, chooser, settings, host, help},
        {std::make_shared<NamedPicture>("no image selected"), std::make_shared<NamedPicture>("image not found")}};

    const PictureDialogControls& controls() const { return dialog.controls(); }
    void storeSlot(int slot, const std::string& label, const std::string& path)
    {
        store(valueName(stored::PictureLabel, slot), label);
        store(valueName(stored::PicturePath, slot), path);
    }
    // The label and path stored for a slot, as texts.
    Slot storedSlot(int slot)
    {
        return {stored(valueName(stored::PictureLabel, slot)).text(),
                stored(valueName(stored::PicturePath, slot)).text()};
    }
    void type(const std::string& label, const std::string& path)
    {
        dialog.userTypesLabel(label);
        dialog.userTypesPath(path);
    }
    void selectSlot(int slot) { dialog.userSelectsSlot(slot - 1); }
    std::string preview() const { return pictureName(controls().imgImage.Picture); }
    InView inView() const { return {controls().cboImage.Text(), controls().txtLabel.Text, controls().txtPath.Text}; }
};

} // namespace tessaloom::testing
