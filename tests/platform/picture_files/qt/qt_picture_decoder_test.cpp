#include "picture_files.h"

#include "platform/picture_files/qt/qt_picture_decoder.h"
#include "support/heif_encoding.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace tessaloom::testing {
namespace {

QByteArray qtBytes(const Bytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    image.save(&buffer, format);
    return bytes;
}

// Red and green above, blue and white below.
QImage quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::white};
    for (int q = 0; q < 4; ++q)
        painter.fillRect(q % 2 * width / 2, q / 2 * height / 2, width / 2, height / 2, colours[q]);
    return image;
}

// The colours of the four quadrants as "rgbw", in the same order.
std::string quadrantsOf(const QImage& image)
{
    std::string seen;
    for (int q = 0; q < 4; ++q) {
        const QRgb p = image.pixel((q % 2 * 2 + 1) * image.width() / 4, (q / 2 * 2 + 1) * image.height() / 4);
        seen += qRed(p) > 128 ? (qGreen(p) > 128 ? 'w' : 'r') : (qGreen(p) > 128 ? 'g' : 'b');
    }
    return seen;
}

class PictureDecoderTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const PixelSize box{321, 240};

    void write(const char* name, const QByteArray& bytes) const
    {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QImage decode(const char* name, PixelSize to) const
    {
        return QtPictureDecoder::decodeImage(dir.filePath(QString::fromLatin1(name)), to);
    }
};

// Each format is read by its content, whatever its name, for the device pixels of the box. Text
// named as a picture, photos cut off in their image data, a folder, a pipe without a writer (its
// open must not wait for one) and a missing file give nothing: files of every kind cut off, or
// claiming too much, are judged by the checks before this decoder reads them.
TEST_F(PictureDecoderTest, EachFormatIsReadByItsContentForTheDevicePixelsOfTheBoxAndNothingElse)
{
    const QImage picture = quadrants(64, 48), large = quadrants(400, 300);
    const auto cut = [](const QByteArray& whole) { return whole.left(whole.size() * 6 / 10); };
    const std::pair<const char*, QByteArray> files[] = {
        {"dot.gif", qtBytes(gifFile())},           // Qt reads GIF but cannot write it
        {"photo@2x.jpg", encoded(picture, "bmp")}, // named as another format, and to claim a ratio of its own
        // A motion photo: megabytes of video, with marker-like bytes in them, after the end of the picture.
        {"motion.jpg", encoded(picture, "jpeg") + QByteArray("\xff\xd8\xff\x00", 4).repeated(786432)},
        {"screen.jpg", encoded(picture, "png")},
        {"saved.webp", encoded(picture, "webp") + "trailing bytes"},
        {"phone.heic", heifEncoded(picture, heif_compression_HEVC)},
        {"photo.avif", heifEncoded(picture, heif_compression_AV1)},
        {"notes.png", "These are not the pixels you are looking for.\n"},
        {"cut.jpg", cut(encoded(large, "jpg"))},
        {"cut.png", cut(encoded(large, "png"))},
        {"cut.webp", cut(encoded(large, "webp"))},
        {"cut.heic", cut(heifEncoded(large, heif_compression_HEVC))},
    };
    for (const auto& [name, bytes] : files)
        write(name, bytes);
    QDir(dir.path()).mkdir(QStringLiteral("folder.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe.jpg"))).constData(), 0600), 0);
    for (const char* name :
         {"dot.gif", "photo@2x.jpg", "motion.jpg", "screen.jpg", "saved.webp", "phone.heic", "photo.avif"}) {
        const QImage image = decode(name, box);
        EXPECT_TRUE(image.size() == QSize(321, 240) && image.devicePixelRatio() == 1.0) << name;
        EXPECT_TRUE(name[0] == 'd' || quadrantsOf(image) == "rgbw") << name;
    }
    for (const char* name :
         {"notes.png", "cut.jpg", "cut.png", "cut.webp", "cut.heic", "folder.jpg", "pipe.jpg", "missing.bmp"})
        EXPECT_TRUE(decode(name, box).isNull()) << name;
}

TEST_F(PictureDecoderTest, TheExifOrientationTurnsThePictureUprightBeforeItIsStretched)
{
    const QImage stored = quadrants(64, 32);
    const QByteArray jpeg = encoded(stored, "jpeg"), png = encoded(stored, "png"), webp = encoded(stored, "webp");
    const Bytes bitstream(webp.begin() + 12, webp.end()); // the WebP's chunks after its RIFF header
    // Where the stored quadrants show for orientations 1 to 8.
    const char* upright[] = {"rgbw", "grwb", "wbgr", "bwrg", "rbgw", "brwg", "wgbr", "gwrb"};
    for (int orientation = 1; orientation <= 8; ++orientation) {
        write("turned.jpg", jpeg.left(2) + qtBytes(exifSegment(orientation, orientation % 2 == 0)) + jpeg.mid(2));
        Bytes exif; // an eXIf chunk after the PNG's header
        appendChunk(exif, "eXIf", exifData(orientation, true, false));
        write("turned.png", png.left(33) + qtBytes(exif) + png.mid(33));
        const WebpLayout extended{
            .width = 64, .height = 32, .exif = exifData(orientation, false), .bitstream = bitstream};
        write("turned.webp", qtBytes(webpFile(extended)));
        write("turned.heic", heifEncoded(stored, heif_compression_HEVC, orientation));
        for (const char* name : {"turned.jpg", "turned.png", "turned.webp", "turned.heic"}) {
            const QImage image = decode(name, {40, 60});
            EXPECT_EQ(image.size(), QSize(40, 60)) << name << orientation;
            EXPECT_EQ(quadrantsOf(image), upright[orientation - 1]) << name << orientation;
        }
    }
}

} // namespace
} // namespace tessaloom::testing
