#include "screens/qt/about_dialog.h"

#include "artwork/artwork.h"
#include "platform/qt/program_font.h"
#include "platform/qt/window_placement.h"
#include "screens/about_box.h"
#include "ui_about_dialog.h"

#include <QPixmap>
#include <QPushButton>

namespace tessaloom {

AboutDialog::AboutDialog(const Calendar& calendar, QWidget* owner)
    : QDialog(owner)
    , logic_(std::make_unique<AboutBox>(calendar))
    , ui_(std::make_unique<Ui::frmAbout>())
{
    // The box's own font first: labels with a style sheet keep the font they were made with.
    setFont(comicSans(8.25, false));
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    // Modal over its owner only, so the help viewer stays in use while the box is open.
    setWindowModality(Qt::WindowModal);
    setWindowIcon(programIcon());
    applyFonts();
    ui_->Image1->setPixmap(QPixmap(QString::fromLatin1(kProgramPictureResource)));
    ui_->cmdOK->setFocus(Qt::OtherFocusReason);
    connect(ui_->cmdOK, &QPushButton::clicked, this, [this] {
        logic_->cmdOK_Click();
        refresh();
    });

    logic_->Form_Load();
    refresh();
    // Centred on the screen the owner is on, not over the owner.
    placeWindow(*this, owner);
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::applyFonts()
{
    ui_->Label2->setFont(comicSans(20.25, true));
    ui_->Label1->setFont(comicSans(14.25, true));
    ui_->lblTitle->setFont(comicSans(20.25, true));
    ui_->lblVersion->setFont(comicSans(9.75, true));
}

void AboutDialog::refresh()
{
    const AboutControls& model = logic_->controls();
    ui_->lblVersion->setText(QString::fromStdString(model.lblVersion));
    ui_->lblCopyright->setText(QString::fromStdString(model.lblCopyright));
    if (model.Unloaded)
        accept();
}

void AboutDialog::showModal(QWidget* owner, const Calendar& calendar)
{
    AboutDialog box(calendar, owner);
    box.exec();
}

} // namespace tessaloom
