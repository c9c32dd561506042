#include "artwork/placeholders.h"

#include "artwork/artwork_font.h"

#include <QFontMetricsF>
#include <QPainter>

namespace tessaloom::artwork {

namespace {
const QColor kFrame(38, 40, 52);
const QColor kLettering(30, 32, 44);
constexpr int kFrameWidth = 8;
} // namespace

QImage renderPlaceholder(const QStringList& lines)
{
    QImage image(kPlaceholderWidth, kPlaceholderHeight, QImage::Format_RGB32);
    image.fill(kFrame);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    const QRect field = image.rect().adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
    painter.fillRect(field, Qt::white);
    // A thin light line inside the frame, like a mount's bevel.
    painter.setPen(QPen(QColor(120, 124, 140), 1));
    painter.drawRect(QRectF(field).adjusted(-0.5, -0.5, -0.5, -0.5));

    const QFont font = artworkFont(46);
    const QFontMetricsF metrics(font);
    const qreal lineHeight = metrics.ascent() + metrics.descent() * 0.4;
    const qreal blockHeight = lineHeight * lines.size();
    qreal baseline = field.center().y() - blockHeight / 2 + metrics.ascent();
    painter.setFont(font);
    painter.setPen(kLettering);
    for (const QString& line : lines) {
        const qreal width = metrics.horizontalAdvance(line);
        painter.drawText(QPointF(field.center().x() - width / 2, baseline), line);
        baseline += lineHeight;
    }
    return image;
}

} // namespace tessaloom::artwork
