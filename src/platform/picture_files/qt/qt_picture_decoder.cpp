#include "platform/picture_files/qt/qt_picture_decoder.h"

#include "platform/picture_files/picture_check.h"
#include "platform/picture_files/qt/heif_reader.h"
#include "platform/qt/qt_picture.h"
#include "platform/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTransform>

#include <algorithm>

namespace tessaloom {

namespace {

// The opened file as the structure checks read it: by position, through the same handle the
// decoder reads afterwards, so no other file can be slipped in between.
class OpenFileBytes final : public PictureBytes {
public:
    explicit OpenFileBytes(QFile& file)
        : file_(file)
        , size_(static_cast<std::uint64_t>(file.size()))
    {
    }
    std::uint64_t size() const override { return size_; }
    std::size_t read(std::uint64_t offset, std::uint8_t* into, std::size_t count) override
    {
        if (!file_.seek(static_cast<qint64>(offset)))
            return 0;
        const qint64 got = file_.read(reinterpret_cast<char*>(into), static_cast<qint64>(count));
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    }

private:
    QFile& file_;
    std::uint64_t size_;
};

// The opened file up to the end of its picture: what follows it is never handed to a reader,
// some of which would read the whole file into memory.
class PictureWindow final : public QIODevice {
public:
    PictureWindow(QFile& file, std::uint64_t size)
        : file_(file)
        , size_(static_cast<qint64>(size))
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return false; }
    qint64 size() const override { return size_; }

protected:
    qint64 readData(char* data, qint64 count) override
    {
        if (!file_.seek(pos()))
            return -1;
        return file_.read(data, std::min(count, size_ - pos()));
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QFile& file_;
    qint64 size_;
};

QByteArray readerFormat(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Jpeg:
        return QByteArrayLiteral("jpeg");
    case PictureFormat::Gif:
        return QByteArrayLiteral("gif");
    case PictureFormat::Bmp:
        return QByteArrayLiteral("bmp");
    case PictureFormat::Png:
        return QByteArrayLiteral("png");
    case PictureFormat::WebP:
        return QByteArrayLiteral("webp");
    case PictureFormat::Heif:
        break; // libheif's
    }
    return {};
}

// Turns a picture stored as the camera held it upright, for each EXIF orientation.
QImage upright(const QImage& image, int orientation)
{
    const auto quarterTurn = [&image] { return image.transformed(QTransform().rotate(90)); };
    switch (orientation) {
    case 2:
        return image.mirrored(true, false);
    case 3:
        return image.mirrored(true, true);
    case 4:
        return image.mirrored(false, true);
    case 5:
        return quarterTurn().mirrored(true, false);
    case 6:
        return quarterTurn();
    case 7:
        return quarterTurn().mirrored(false, true);
    case 8:
        return quarterTurn().mirrored(true, true);
    default:
        return image;
    }
}

} // namespace

QImage QtPictureDecoder::decodeImage(const QString& path, PixelSize box)
{
    const int fd = openRegularFile(path.toStdString());
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return {};
    OpenFileBytes bytes(file);
    const PictureCheck check = checkPictureFile(bytes, box);
    if (check.verdict != PictureVerdict::Decodable)
        return {};
    PictureWindow picture(file, check.pictureBytes);
    const PixelSize target = decodeBox(box, check.header.orientation);
    const QSize scaledSize = target.width > 0 && target.height > 0 ? QSize(target.width, target.height) : QSize();

    QImage image;
    if (check.header.format == PictureFormat::Heif) {
        image = readHeif(picture, scaledSize); // upright already
    } else {
        QImageReader reader(&picture, readerFormat(check.header.format));
        reader.setAutoDetectImageFormat(false);
        reader.setAutoTransform(false);
        reader.setScaledSize(scaledSize);
        if (reader.read(&image))
            image = upright(image, check.header.orientation);
    }
    if (image.isNull())
        return {};
    // A file named like "name@2x" would otherwise claim a ratio of its own.
    image.setDevicePixelRatio(1);
    return image;
}

PictureRef QtPictureDecoder::decode(const std::string& path, PixelSize box)
{
    QImage image = decodeImage(QString::fromStdString(path), box);
    if (image.isNull())
        return nullptr;
    return std::make_shared<QtPicture>(std::move(image));
}

std::optional<FileStamp> QtPictureDecoder::stamp(const std::string& path)
{
    const QFileInfo info(QString::fromStdString(path));
    if (!info.isFile())
        return std::nullopt;
    return FileStamp{info.size(), info.lastModified().toMSecsSinceEpoch()};
}

} // namespace tessaloom
