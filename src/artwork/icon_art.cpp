#include "artwork/icon_art.h"

#include "artwork/cards.h"
#include "artwork/weave.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace tessaloom::artwork {

QImage renderIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);

    const qreal s = size;
    const bool small = size < 48;
    const qreal margin = small ? 0 : std::round(s * 0.03);
    const QRectF tile(margin, margin, s - 2 * margin, s - 2 * margin);
    QPainterPath outline;
    outline.addRoundedRect(tile, s * 0.18, s * 0.18);

    painter.save();
    painter.setClipPath(outline);
    WeaveStyle weave;
    // Small icons get fewer, wider ribbons: fine cloth would only turn to mud.
    weave.ribbon = small ? std::round(s * 0.28) : s * 0.15;
    weave.gap = small ? std::max(1.0, std::round(s * 0.04)) : s * 0.025;
    weave.warp = warmThreads();
    weave.weft = coolThreads();
    weave.threadLines = size >= 128 ? 0.16 : 0;
    weave.origin = QPointF(std::round(s * 0.03), std::round(s * 0.03));
    paintWeave(painter, tile, weave);
    painter.restore();
    painter.setPen(QPen(QColor(20, 24, 60), std::max(1.0, s * 0.02)));
    painter.setBrush(Qt::NoBrush);
    const qreal inset = painter.pen().widthF() / 2;
    painter.drawRoundedRect(tile.adjusted(inset, inset, -inset, -inset), s * 0.17, s * 0.17);

    // A two-by-two hand of upright cards: top right already matched away, bottom left turning.
    const qreal gapX = s * 0.11;
    const qreal gapY = s * 0.06;
    const qreal width = (tile.width() - 3 * gapX) / 2;
    const qreal height = (tile.height() - 3 * gapY) / 2;
    auto cell = [&](int column, int row) {
        QRectF rect(tile.left() + gapX + column * (width + gapX), tile.top() + gapY + row * (height + gapY), width,
                    height);
        if (small)
            rect = QRectF(QRect(qRound(rect.left()), qRound(rect.top()), qRound(rect.width()), qRound(rect.height())));
        return rect;
    };
    CardStyle style;
    style.lattice = size >= 48;
    style.corner = small ? 0.18 : 0.14;
    paintCardBack(painter, cell(0, 0), style);
    paintCardBack(painter, cell(1, 1), style);
    if (small)
        paintCardFace(painter, cell(0, 1), QString(), style);
    else
        paintTurningCard(painter, cell(0, 1), 0.62, true, QStringLiteral("T"), style);
    return image;
}

} // namespace tessaloom::artwork
