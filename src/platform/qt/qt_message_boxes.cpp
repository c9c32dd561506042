#include "platform/qt/qt_message_boxes.h"

#include "platform/application_info.h"
#include "platform/qt/window_placement.h"

#include <QMessageBox>

namespace tessaloom {

QtMessageBoxes::QtMessageBoxes(QWidget* owner)
    : owner_(owner)
{
}

namespace {

int runBox(QWidget* owner, const std::string& text, QMessageBox::StandardButtons buttons,
           QMessageBox::StandardButton defaultButton)
{
    PlacedDialog<QMessageBox> box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle),
                                  QString::fromStdString(text), buttons, owner);
    box.setDefaultButton(defaultButton);
    // Blocks its owner only: the help viewer, a window of its own, stays in use.
    box.setWindowModality(Qt::WindowModal);
    return box.exec();
}

} // namespace

void QtMessageBoxes::showMessage(const std::string& text)
{
    if (beforeShow_)
        beforeShow_();
    runBox(owner_, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtMessageBoxes::askYesNo(const std::string& text)
{
    if (beforeShow_)
        beforeShow_();
    return runBox(owner_, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

} // namespace tessaloom
