#include "artwork/artwork_font.h"

#include <QFontInfo>

namespace tessaloom::artwork {

namespace {
const QString kFamily = QStringLiteral("Comic Neue");
}

QFont artworkFont(qreal pixelSize, int weight)
{
    QFont font(kFamily);
    font.setPixelSize(qRound(pixelSize));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

bool artworkFontInstalled()
{
    return QFontInfo(QFont(kFamily)).family() == kFamily;
}

void paintGiltLettering(QPainter& painter, const QPainterPath& text, const QGradientStops& gilt, QPointF shadowOffset,
                        const QPen& edge)
{
    QLinearGradient gradient(0, text.boundingRect().top(), 0, text.boundingRect().bottom());
    gradient.setStops(gilt);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 150));
    painter.drawPath(text.translated(shadowOffset));
    painter.setPen(edge);
    painter.setBrush(gradient);
    painter.drawPath(text);
}

} // namespace tessaloom::artwork
