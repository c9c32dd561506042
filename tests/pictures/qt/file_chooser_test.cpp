#include "pictures/picture_dialog.h"
#include "platform/qt/qt_file_chooser.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
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

class QtFileChooserTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QtFileChooser chooser;
    QString previousFolder = QDir::currentPath();

    // The chooser opens in the current folder.
    void SetUp() override
    {
        QFile file(dir.filePath(QStringLiteral("a.jpe")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
    }
    void TearDown() override { QDir::setCurrent(previousFolder); }
    // Answers the file dialog once it is open.
    void whenOpen(std::function<void(QFileDialog*)> answer)
    {
        QTimer::singleShot(0, [answer] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
                answer(dialog);
        });
    }
};

TEST_F(QtFileChooserTest, GivesTheFullPathOfTheChosenFile)
{
    QString offeredFirst;
    whenOpen([&](QFileDialog* dialog) {
        offeredFirst = dialog->selectedNameFilter();
        dialog->selectFile(QStringLiteral("a.jpe"));
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog hides accept() from callers
    });
    const std::optional<std::string> chosen = chooser.chooseFile(kPictureFileFilter);
    EXPECT_EQ(offeredFirst, QStringLiteral("JPEG (*.jpg *.jpe *.jpeg)"));
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, QDir::toNativeSeparators(dir.filePath(QStringLiteral("a.jpe"))).toStdString());
}

TEST_F(QtFileChooserTest, ACancelGivesNoPath)
{
    whenOpen([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(chooser.chooseFile(kPictureFileFilter).has_value());
}

} // namespace
} // namespace tessaloom
