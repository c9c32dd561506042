#include "pictures/picture_dialog.h"
#include "platform/qt/qt_file_chooser.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

namespace tessaloom {
namespace {

TEST(FileChooserTest, TheFilterListBecomesQtsFormJpegFirst)
{
    EXPECT_EQ(toQtFileFilter(kPictureFileFilter),
              QStringLiteral("JPEG (*.jpg *.jpe *.jpeg);;BMP (*.bmp);;GIF (*.gif);;All files (*.*)"));
    // A shown name without patterns of its own takes them from its pattern list.
    EXPECT_EQ(toQtFileFilter("Pictures|*.png;*.gif"), QStringLiteral("Pictures (*.png *.gif)"));
}

// No path at all, so the dialog's path box keeps its text.
TEST(FileChooserTest, ACancelGivesNoPath)
{
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    EXPECT_EQ(QtFileChooser().chooseFile(kPictureFileFilter), std::nullopt);
}

} // namespace
} // namespace tessaloom
