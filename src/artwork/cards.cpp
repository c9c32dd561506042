#include "artwork/cards.h"

#include "artwork/artwork_font.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

namespace tessaloom::artwork {

namespace {

QPainterPath rounded(const QRectF& card, const CardStyle& style)
{
    QPainterPath path;
    const qreal r = card.width() * style.corner;
    path.addRoundedRect(card, r, r);
    return path;
}

void dropShadow(QPainter& painter, const QPainterPath& outline, qreal offset)
{
    painter.save();
    painter.translate(offset * 0.6, offset);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 80));
    painter.drawPath(outline);
    painter.restore();
}

} // namespace

void paintCardBack(QPainter& painter, const QRectF& card, const CardStyle& style)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPainterPath outline = rounded(card, style);
    dropShadow(painter, outline, std::max(0.6, card.width() * 0.04));

    painter.setPen(Qt::NoPen);
    painter.setBrush(style.face);
    painter.drawPath(outline);

    const qreal margin = std::max(1.0, card.width() * 0.09);
    const QRectF inner = card.adjusted(margin, margin, -margin, -margin);
    CardStyle innerStyle = style;
    innerStyle.corner = style.corner * 0.6;
    const QPainterPath innerOutline = rounded(inner, innerStyle);
    QLinearGradient shade(inner.topLeft(), inner.bottomRight());
    shade.setColorAt(0.0, style.back.lighter(125));
    shade.setColorAt(1.0, style.back.darker(130));
    painter.setBrush(shade);
    painter.drawPath(innerOutline);

    if (style.lattice) {
        painter.setClipPath(innerOutline, Qt::IntersectClip);
        const qreal step = inner.width() / 3.0;
        QColor line = style.latticeColour;
        line.setAlpha(150);
        painter.setPen(QPen(line, std::max(0.7, inner.width() * 0.035)));
        for (qreal d = -inner.height(); d < inner.width() + inner.height(); d += step) {
            painter.drawLine(QPointF(inner.left() + d, inner.top()),
                             QPointF(inner.left() + d + inner.height(), inner.bottom()));
            painter.drawLine(QPointF(inner.left() + d, inner.bottom()),
                             QPointF(inner.left() + d + inner.height(), inner.top()));
        }
        // A small diamond in the middle, like a loom's shuttle seen end-on.
        const QPointF c = inner.center();
        const qreal h = inner.width() * 0.22;
        QPolygonF diamond;
        diamond << QPointF(c.x(), c.y() - h * 1.3) << QPointF(c.x() + h, c.y()) << QPointF(c.x(), c.y() + h * 1.3)
                << QPointF(c.x() - h, c.y());
        painter.setPen(QPen(style.back.darker(160), std::max(0.6, inner.width() * 0.03)));
        painter.setBrush(style.latticeColour);
        painter.drawPolygon(diamond);
    }
    painter.restore();
}

void paintCardFace(QPainter& painter, const QRectF& card, const QString& label, const CardStyle& style)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPainterPath outline = rounded(card, style);
    dropShadow(painter, outline, std::max(0.6, card.width() * 0.04));
    QLinearGradient paper(card.topLeft(), card.bottomLeft());
    paper.setColorAt(0.0, style.face);
    paper.setColorAt(1.0, style.face.darker(112));
    painter.setPen(QPen(style.face.darker(140), std::max(0.5, card.width() * 0.02)));
    painter.setBrush(paper);
    painter.drawPath(outline);
    if (!label.isEmpty()) {
        painter.setFont(artworkFont(card.height() * 0.55));
        painter.setPen(style.ink);
        painter.drawText(card, Qt::AlignCenter, label);
    }
    painter.restore();
}

void paintTurningCard(QPainter& painter, const QRectF& card, qreal open, bool faceShowing, const QString& label,
                      const CardStyle& style)
{
    const qreal half = card.width() * open / 2;
    const qreal cx = card.center().x();
    const qreal lift = card.height() * 0.10 * (1 - open);
    // The left edge swings towards the viewer and so looks taller; the right one shrinks.
    const QPolygonF quad{
        QPointF(cx - half, card.top() - lift),
        QPointF(cx + half, card.top() + lift),
        QPointF(cx + half, card.bottom() - lift),
        QPointF(cx - half, card.bottom() + lift),
    };
    QTransform perspective;
    const QPolygonF flat{card.topLeft(), card.topRight(), card.bottomRight(), card.bottomLeft()};
    if (!QTransform::quadToQuad(flat, quad, perspective))
        return;
    painter.save();
    painter.setTransform(perspective, true);
    if (faceShowing)
        paintCardFace(painter, card, label, style);
    else
        paintCardBack(painter, card, style);
    painter.restore();
}

} // namespace tessaloom::artwork
