#include "artwork/ico_file.h"

#include <QBuffer>
#include <QtEndian>

namespace tessaloom::artwork {

namespace {

void append16(QByteArray& out, quint16 value)
{
    const quint16 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

void append32(QByteArray& out, quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

QByteArray png(const QImage& image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

} // namespace

QByteArray icoFile(const QList<QImage>& images)
{
    constexpr int kHeaderSize = 6;
    constexpr int kEntrySize = 16;
    QList<QByteArray> entries;
    for (const QImage& image : images)
        entries.append(png(image));

    QByteArray out;
    append16(out, 0); // reserved
    append16(out, 1); // an icon, not a cursor
    append16(out, static_cast<quint16>(entries.size()));
    quint32 offset = kHeaderSize + kEntrySize * entries.size();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        // A width or height of 256 does not fit the byte and is written as 0.
        out.append(static_cast<char>(images[i].width() & 0xff));
        out.append(static_cast<char>(images[i].height() & 0xff));
        out.append('\0');  // no palette
        out.append('\0');  // reserved
        append16(out, 1);  // colour planes
        append16(out, 32); // bits per pixel
        append32(out, static_cast<quint32>(entries[i].size()));
        append32(out, offset);
        offset += entries[i].size();
    }
    for (const QByteArray& entry : entries)
        out.append(entry);
    return out;
}

} // namespace tessaloom::artwork
