#include "artwork/weave.h"

#include <QLinearGradient>
#include <QPainter>

#include <cmath>

namespace tessaloom::artwork {

namespace {

QColor at(const QVector<QColor>& colours, int index)
{
    const int n = static_cast<int>(colours.size());
    return colours[((index % n) + n) % n];
}

// A ribbon seen across its width is round: bright along the middle, darker at both edges.
void fillRibbon(QPainter& painter, const QRectF& rect, const QColor& colour, bool vertical)
{
    QLinearGradient across =
        vertical ? QLinearGradient(rect.left(), 0, rect.right(), 0) : QLinearGradient(0, rect.top(), 0, rect.bottom());
    across.setColorAt(0.0, colour.darker(150));
    across.setColorAt(0.3, colour.lighter(118));
    across.setColorAt(0.55, colour);
    across.setColorAt(1.0, colour.darker(165));
    painter.fillRect(rect, across);
}

// Along its length a raised span rises from the shade at each end to full light in the middle.
void shadeAlong(QPainter& painter, const QRectF& rect, bool vertical, int strength)
{
    QLinearGradient along =
        vertical ? QLinearGradient(0, rect.top(), 0, rect.bottom()) : QLinearGradient(rect.left(), 0, rect.right(), 0);
    along.setColorAt(0.0, QColor(0, 0, 0, strength));
    along.setColorAt(0.18, QColor(0, 0, 0, strength / 5));
    along.setColorAt(0.35, QColor(255, 255, 255, 22));
    along.setColorAt(0.65, QColor(255, 255, 255, 22));
    along.setColorAt(0.82, QColor(0, 0, 0, strength / 5));
    along.setColorAt(1.0, QColor(0, 0, 0, strength));
    painter.fillRect(rect, along);
}

// Thin dark lines down both sides keep neighbouring ribbons apart.
void edges(QPainter& painter, const QRectF& rect, const QColor& colour, bool vertical)
{
    QColor line = colour.darker(260);
    line.setAlpha(170);
    painter.setPen(QPen(line, 1.0));
    if (vertical) {
        painter.drawLine(QPointF(rect.left() + 0.5, rect.top()), QPointF(rect.left() + 0.5, rect.bottom()));
        painter.drawLine(QPointF(rect.right() - 0.5, rect.top()), QPointF(rect.right() - 0.5, rect.bottom()));
    } else {
        painter.drawLine(QPointF(rect.left(), rect.top() + 0.5), QPointF(rect.right(), rect.top() + 0.5));
        painter.drawLine(QPointF(rect.left(), rect.bottom() - 0.5), QPointF(rect.right(), rect.bottom() - 0.5));
    }
}

void threadTexture(QPainter& painter, const QRectF& rect, bool vertical, qreal strength)
{
    if (strength <= 0)
        return;
    const qreal step = 3.0;
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setPen(QPen(QColor(255, 255, 255, static_cast<int>(90 * strength)), 0.8));
    const qreal across = vertical ? rect.width() : rect.height();
    for (qreal d = step * 0.5; d < across; d += step) {
        if (vertical)
            painter.drawLine(QPointF(rect.left() + d, rect.top()), QPointF(rect.left() + d, rect.bottom()));
        else
            painter.drawLine(QPointF(rect.left(), rect.top() + d), QPointF(rect.right(), rect.top() + d));
    }
    painter.restore();
}

} // namespace

QVector<QColor> warmThreads()
{
    return {QColor(212, 52, 66),  QColor(240, 132, 44), QColor(246, 196, 64), QColor(226, 84, 120),
            QColor(250, 160, 90), QColor(196, 40, 100), QColor(236, 176, 48)};
}

QVector<QColor> coolThreads()
{
    return {QColor(32, 150, 160), QColor(52, 96, 200),  QColor(112, 70, 180),
            QColor(40, 170, 120), QColor(70, 130, 220), QColor(150, 70, 170)};
}

void paintWeave(QPainter& painter, const QRectF& area, const WeaveStyle& style)
{
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(area, style.ground);

    const qreal pitch = style.ribbon + style.gap;
    const int firstColumn = static_cast<int>(std::floor((area.left() - style.origin.x()) / pitch)) - 1;
    const int lastColumn = static_cast<int>(std::ceil((area.right() - style.origin.x()) / pitch)) + 1;
    const int firstRow = static_cast<int>(std::floor((area.top() - style.origin.y()) / pitch)) - 1;
    const int lastRow = static_cast<int>(std::ceil((area.bottom() - style.origin.y()) / pitch)) + 1;
    auto columnLeft = [&](int i) { return style.origin.x() + i * pitch; };
    auto rowTop = [&](int j) { return style.origin.y() + j * pitch; };

    // The ribbons where they lie low, in shade.
    for (int i = firstColumn; i <= lastColumn; ++i) {
        const QRectF rect(columnLeft(i), area.top() - pitch, style.ribbon, area.height() + 2 * pitch);
        fillRibbon(painter, rect, at(style.warp, i).darker(135), true);
    }
    for (int j = firstRow; j <= lastRow; ++j) {
        const QRectF rect(area.left() - pitch, rowTop(j), area.width() + 2 * pitch, style.ribbon);
        fillRibbon(painter, rect, at(style.weft, j).darker(135), false);
    }

    // Each crossing: the ribbon on top is raised over the crossing and half the gap either side;
    // the other half of each gap shows it falling away into the shade.
    for (int i = firstColumn; i <= lastColumn; ++i) {
        for (int j = firstRow; j <= lastRow; ++j) {
            const bool warpOver = ((i + j) & 1) == 0;
            const qreal x = columnLeft(i);
            const qreal y = rowTop(j);
            QRectF span;
            if (warpOver) {
                span = QRectF(x, y - style.gap * 0.5, style.ribbon, style.ribbon + style.gap);
                fillRibbon(painter, span, at(style.warp, i), true);
                threadTexture(painter, span, true, style.threadLines);
                shadeAlong(painter, span, true, 150);
                if (style.ribbon >= 8)
                    edges(painter, span, at(style.warp, i), true);
            } else {
                span = QRectF(x - style.gap * 0.5, y, style.ribbon + style.gap, style.ribbon);
                fillRibbon(painter, span, at(style.weft, j), false);
                threadTexture(painter, span, false, style.threadLines);
                shadeAlong(painter, span, false, 150);
                if (style.ribbon >= 8)
                    edges(painter, span, at(style.weft, j), false);
            }
        }
    }
    painter.restore();
}

} // namespace tessaloom::artwork
