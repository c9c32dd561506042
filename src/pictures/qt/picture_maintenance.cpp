#include "pictures/qt/picture_maintenance.h"

#include "pictures/qt/picture_dialog_widget.h"
#include "platform/qt/qt_picture.h"
#include "platform/qt/window_placement.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>

namespace tessaloom {

namespace {

PictureRef resourcePicture(const char* path)
{
    QImage image(QString::fromLatin1(path));
    if (image.isNull())
        return nullptr;
    return std::make_shared<QtPicture>(std::move(image));
}

} // namespace

PicturePlaceholders placeholdersFromResources()
{
    return {resourcePicture(":/artwork/no_image_selected.png"), resourcePicture(":/artwork/image_not_found.png")};
}

PictureMaintenance::PictureMaintenance(QWidget* owner, PictureLoader& pictures, FileSystem& files,
                                       SettingsStore& settings, PictureDialogHost& host, HelpCommands& help)
    : logic_({messageBoxes_, pictures, files, fileChooser_, settings, host, help}, placeholdersFromResources())
    , window_(std::make_unique<PictureDialogWidget>(logic_, owner))
{
    PictureDialogWidget* window = window_.get();
    messageBoxes_.setOwner(window);
    // A box opens in the middle of a handler; the dialog behind it shows the state it reports on.
    messageBoxes_.setBeforeShow([window] { window->refresh(); });
    fileChooser_.setOwner(window);
}

PictureMaintenance::~PictureMaintenance() = default;

QDialog* PictureMaintenance::window() const
{
    return window_.get();
}

void PictureMaintenance::exec()
{
    QScreen* screen = window_->parentWidget() ? window_->parentWidget()->screen() : QGuiApplication::primaryScreen();
    logic_.setDevicePixelRatio(screen->devicePixelRatio());
    logic_.Form_Load();
    window_->refresh();
    // Modal over the game window only, so the help viewer opened from the dialog takes input.
    window_->setWindowModality(Qt::WindowModal);
    placeWindow(*window_, window_->parentWidget());
    window_->exec();
}

} // namespace tessaloom
