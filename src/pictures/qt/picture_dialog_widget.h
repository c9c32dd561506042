#pragma once

#include "platform/picture.h"

#include <QDialog>

#include <cstdint>
#include <memory>

class QKeyEvent;

namespace Ui {
class frmImages;
}

namespace tessaloom {

class PictureDialog;

// The picture maintenance dialog on the screen: it shows the logic's model and forwards the
// user's input. The logic must be loaded (Form_Load) before the dialog is shown.
class PictureDialogWidget final : public QDialog {
    Q_OBJECT

public:
    explicit PictureDialogWidget(PictureDialog& logic, QWidget* owner = nullptr);
    ~PictureDialogWidget() override;

    // Copies the model of the controls onto the widgets; closes the dialog once the logic has
    // unloaded it.
    void refresh();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Runs a handler of the logic, then shows what it changed.
    void forward(void (PictureDialog::*handler)());
    void applyWindowLook();
    void connectControls();
    void connectMenus();
    void refreshFocus();

    PictureDialog& logic_;
    std::unique_ptr<Ui::frmImages> ui_;
    PictureRef shownPicture_;
    bool pictureShown_ = false;
    std::uint32_t appliedFocusMoves_ = 0;
};

} // namespace tessaloom
