#include "picture_dialog_fixture.h"
#include "pictures/qt/picture_dialog_widget.h"
#include "pictures/qt/picture_maintenance.h"
#include "platform/qt/qt_file_chooser.h"
#include "platform/qt/qt_picture.h"
#include "support/accessible.h"
#include "support/menu_outline.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QTimer>

namespace tessaloom::testing {
namespace {

// The menus as designed; each field tied to its label, so a screen reader names it by the label.
// The artwork library carries the two placeholders as resources; a link that dropped them would
// leave the preview blank without any other sign.
TEST_F(PictureDialogTest, TheMenusReadAsDesignedEachFieldByItsLabelAndThePreviewShowsThePlaceholders)
{
    const PicturePlaceholders placeholders = placeholdersFromResources();
    storeSlot(2, "Gone", "/p/gone.jpg");
    PictureDialog qtDialog{{messageBoxes, pictures, files, chooser, settings, host, help}, placeholders};
    qtDialog.Form_Load();
    PictureDialogWidget window(qtDialog);
    EXPECT_EQ(menuOutline(window.findChild<QMenuBar*>()),
              (std::vector<std::string>{"&File", "  E&xit  F3", "&Help", "  &Contents  F1", "  &Index",
                                        "  Marrowquill Software on the Web", "  &About..."}));
    EXPECT_EQ(labelsOf(&window, {"cboImage", "txtLabel", "txtPath"}), (QStringList{"Picture #:", "Label:", "Path:"}));
    auto* image = window.findChild<QLabel*>(QStringLiteral("imgImage"));
    EXPECT_EQ(accessibleName(image), QStringLiteral("Preview"));
#ifdef TESSALOOM_HAVE_ARTWORK
    const QImage noImageSelected = imageOf(placeholders.noImageSelected);
    const QImage imageNotFound = imageOf(placeholders.imageNotFound);
    EXPECT_TRUE(noImageSelected.size() == QSize(300, 252) && imageNotFound.size() == QSize(300, 252));
    EXPECT_NE(noImageSelected, imageNotFound);
    EXPECT_EQ(image->pixmap().toImage(), noImageSelected);
    qtDialog.userSelectsSlot(1);
    window.refresh();
    EXPECT_EQ(image->pixmap().toImage(), imageNotFound);
#else
    EXPECT_EQ(placeholders.noImageSelected, nullptr);
    EXPECT_EQ(placeholders.imageNotFound, nullptr);
#endif
}

// A cancel gives no path at all, so the dialog's path box keeps its text.
TEST(FileChooserTest, TheFilterListBecomesQtsFormJpegFirstAndACancelGivesNoPath)
{
    EXPECT_EQ(toQtFileFilter(kPictureFileFilter),
              QStringLiteral("JPEG (*.jpg *.jpe *.jpeg);;BMP (*.bmp);;GIF (*.gif);;All files (*.*)"));
    // A shown name without patterns of its own takes them from its pattern list.
    EXPECT_EQ(toQtFileFilter("Pictures|*.png;*.gif"), QStringLiteral("Pictures (*.png *.gif)"));
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    EXPECT_EQ(QtFileChooser().chooseFile(kPictureFileFilter), std::nullopt);
}

} // namespace
} // namespace tessaloom::testing
