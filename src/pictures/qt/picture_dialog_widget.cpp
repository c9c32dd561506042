#include "pictures/qt/picture_dialog_widget.h"

#include "help/qt/help_menu_actions.h"
#include "pictures/picture_dialog.h"
#include "platform/qt/modal_command.h"
#include "platform/qt/program_font.h"
#include "platform/qt/qt_picture.h"
#include "ui_picture_dialog.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QPixmap>
#include <QSignalBlocker>

namespace tessaloom {

namespace {

// The client area below the menu bar: 6000 x 5715 twips, 15 twips to the pixel.
constexpr int kClientWidth = 400;
constexpr int kClientHeight = 381;

void syncText(QLineEdit* box, const std::string& text)
{
    const QString wanted = QString::fromStdString(text);
    // Setting the same text again would move the cursor and drop the undo history.
    if (box->text() != wanted)
        box->setText(wanted);
}

} // namespace

PictureDialogWidget::PictureDialogWidget(PictureDialog& logic, QWidget* owner)
    : QDialog(owner)
    , logic_(logic)
    , ui_(std::make_unique<Ui::frmImages>())
{
    ui_->setupUi(this);
    applyWindowLook();
    connectControls();
    connectMenus();
    refresh();
}

PictureDialogWidget::~PictureDialogWidget() = default;

void PictureDialogWidget::applyWindowLook()
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    // The menu bar sits above the client area, which keeps the form's size; the controls keep
    // their places when the window is resized.
    ui_->windowLayout->setMenuBar(ui_->menuBar);
    resize(kClientWidth, kClientHeight + ui_->menuBar->sizeHint().height());
    // Designer forms hold whole point sizes only. The controls take the form's font; the menus
    // and the message boxes over the dialog keep the desktop's.
    ui_->clientArea->setFont(comicSans(8.25, false));
    ui_->Label4->setFont(comicSans(6, false));
}

void PictureDialogWidget::connectControls()
{
    connect(ui_->txtLabel, &QLineEdit::textChanged, this,
            [this](const QString& text) { logic_.userTypesLabel(text.toStdString()); });
    connect(ui_->txtPath, &QLineEdit::textChanged, this,
            [this](const QString& text) { logic_.userTypesPath(text.toStdString()); });
    connect(ui_->cboImage, &QComboBox::activated, this, [this](int entry) {
        logic_.userSelectsSlot(entry);
        refresh();
    });
    const auto button = [this](QPushButton* pushButton, void (PictureDialog::*handler)()) {
        connect(pushButton, &QPushButton::clicked, this, [this, handler] { forward(handler); });
    };
    button(ui_->btnApply, &PictureDialog::btnApply_Click);
    button(ui_->btnOK, &PictureDialog::btnOK_Click);
    button(ui_->btnCancel, &PictureDialog::btnCancel_Click);
    button(ui_->btnBrowse, &PictureDialog::btnBrowse_Click);
}

void PictureDialogWidget::connectMenus()
{
    const auto menu = [this](QAction* action, void (PictureDialog::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { forward(handler); });
    };
    menu(ui_->mnuExit, &PictureDialog::mnuExit_Click);
    connectHelpMenu(this, logic_.helpMenu(), ui_->mnuContents, ui_->mnuIndex, ui_->mnuMarrowquill);
    connectModalCommand(ui_->mnuAbout, this, [this] { forward(&PictureDialog::mnuAbout_Click); });
}

// The handler is called here rather than inside the connected lambdas: GCC 12's vptr sanitizer
// miscompiles a call through a member pointer captured by a nested lambda.
void PictureDialogWidget::forward(void (PictureDialog::*handler)())
{
    (logic_.*handler)();
    refresh();
}

void PictureDialogWidget::keyPressEvent(QKeyEvent* event)
{
    // No button is the cancel button: Escape presses nothing. Enter presses nothing either,
    // because no button is a default button.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void PictureDialogWidget::refresh()
{
    const PictureDialogControls& model = logic_.controls();
    {
        const QSignalBlocker blocker(ui_->cboImage);
        QStringList entries;
        for (const std::string& entry : model.cboImage.entries)
            entries << QString::fromStdString(entry);
        QStringList shown;
        for (int i = 0; i < ui_->cboImage->count(); ++i)
            shown << ui_->cboImage->itemText(i);
        if (shown != entries) {
            ui_->cboImage->clear();
            ui_->cboImage->addItems(entries);
        }
        ui_->cboImage->setCurrentIndex(model.cboImage.ListIndex);
    }
    syncText(ui_->txtLabel, model.txtLabel.Text);
    syncText(ui_->txtPath, model.txtPath.Text);
    if (!pictureShown_ || model.imgImage.Picture != shownPicture_) {
        pictureShown_ = true;
        shownPicture_ = model.imgImage.Picture;
        const QImage image = imageOf(shownPicture_);
        if (image.isNull())
            ui_->imgImage->clear();
        else
            ui_->imgImage->setPixmap(QPixmap::fromImage(image));
    }
    refreshFocus();
    if (model.Unloaded && isVisible())
        done(QDialog::Accepted);
}

void PictureDialogWidget::refreshFocus()
{
    const FocusRequest& focus = logic_.controls().focus;
    if (focus.moves == appliedFocusMoves_)
        return;
    appliedFocusMoves_ = focus.moves;
    switch (focus.field) {
    case DialogField::txtLabel:
        ui_->txtLabel->setFocus(Qt::OtherFocusReason);
        break;
    case DialogField::txtPath:
        ui_->txtPath->setFocus(Qt::OtherFocusReason);
        break;
    case DialogField::none:
        break;
    }
}

} // namespace tessaloom
