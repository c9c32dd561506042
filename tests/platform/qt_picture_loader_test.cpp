#include "platform/qt/qt_picture.h"
#include "platform/qt/qt_picture_loader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tessaloom {
namespace {

// The smallest GIF: one pixel of a two-colour table (Qt reads GIF but cannot write it).
const QByteArray kOnePixelGif = QByteArray::fromHex(
    "474946383961" "01000100" "800000" "ffffff000000"
    "2c0000000001000100" "00" "02" "024401" "00" "3b");

class PictureLoaderTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QtPictureLoader loader;
    const PixelSize box{321, 240};

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void write(const char* name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readAll(const char* name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QImage load(const char* name) { return imageOf(loader.loadPicture(path(name).toStdString(), box)); }
};

TEST_F(PictureLoaderTest, ReadsEachFormatStretchedToTheBox)
{
    QImage source(64, 48, QImage::Format_RGB32);
    source.fill(Qt::red);
    ASSERT_TRUE(source.save(path("red.jpg"), "JPEG"));
    ASSERT_TRUE(source.save(path("red.bmp"), "BMP"));
    write("dot.gif", kOnePixelGif);
    // Some cameras append data after the end of the image.
    write("trailer.jpg", readAll("red.jpg") + QByteArray(3000, 'x'));

    for (const char* name : {"red.jpg", "red.bmp", "dot.gif", "trailer.jpg"}) {
        SCOPED_TRACE(name);
        const QImage image = load(name);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(321, 240));
    }
    EXPECT_GT(qRed(load("red.jpg").pixel(100, 100)), 200);
}

// Text named as a picture, an empty or cut-off file (a JPEG cut in its image data included), a header claiming 50000 x 50000 pixels
// (refused before anything is allocated for it), a folder, a missing file.
TEST_F(PictureLoaderTest, WhatIsNoDecodablePictureFails)
{
    QByteArray huge = kOnePixelGif;
    write("huge.gif", huge.replace(6, 4, QByteArray::fromHex("50c350c3")));
    write("notes.jpg", "These are not the pixels you are looking for.\n");
    write("empty.gif", "");
    write("cut.gif", kOnePixelGif.left(14));
    // Cut off in its image data, a JPEG would decode to a picture half grey.
    QImage photo(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
    ASSERT_TRUE(photo.save(path("whole.jpg"), "JPEG"));
    const QByteArray whole = readAll("whole.jpg");
    write("cut.jpg", whole.left(whole.size() * 6 / 10));
    QDir(dir.path()).mkdir(QStringLiteral("folder.jpg"));

    for (const char* name : {"huge.gif", "notes.jpg", "empty.gif", "cut.gif", "cut.jpg", "folder.jpg", "missing.bmp"})
        EXPECT_TRUE(load(name).isNull()) << name;
}

TEST_F(PictureLoaderTest, AChangedFileIsReadAgainDespiteTheCache)
{
    QImage source(8, 8, QImage::Format_RGB32);
    source.fill(Qt::blue);
    ASSERT_TRUE(source.save(path("p.bmp"), "BMP"));
    const PictureRef first = loader.loadPicture(path("p.bmp").toStdString(), box);
    EXPECT_EQ(loader.loadPicture(path("p.bmp").toStdString(), box), first);

    source = QImage(16, 8, QImage::Format_RGB32);  // a different size changes the file's length
    source.fill(Qt::green);
    ASSERT_TRUE(source.save(path("p.bmp"), "BMP"));
    const QImage again = imageOf(loader.loadPicture(path("p.bmp").toStdString(), box));
    EXPECT_GT(qGreen(again.pixel(5, 5)), 200);
}

} // namespace
} // namespace tessaloom
