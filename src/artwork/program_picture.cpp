#include "artwork/program_picture.h"

#include "artwork/artwork_font.h"
#include "artwork/cards.h"
#include "artwork/weave.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <utility>

namespace tessaloom::artwork {

namespace {

const QColor kGold(240, 190, 76);

enum class Card { Back, Gone, Face, Turning };

void paintBoard(QPainter& painter, const QRectF& board)
{
    QPainterPath outline;
    outline.addRoundedRect(board, 8, 8);
    painter.save();
    painter.setClipPath(outline);
    WeaveStyle weave;
    weave.ribbon = 15;
    weave.gap = 2.5;
    weave.warp = warmThreads();
    weave.weft = coolThreads();
    weave.threadLines = 0.14;
    weave.origin = board.topLeft() + QPointF(-4, -6);
    paintWeave(painter, board, weave);
    painter.restore();

    painter.setPen(QPen(kGold, 2.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);

    const int columns = 4;
    const int rows = 3;
    const Card layout[rows][columns] = {
        {Card::Back, Card::Gone, Card::Back, Card::Face},
        {Card::Gone, Card::Turning, Card::Back, Card::Gone},
        {Card::Back, Card::Back, Card::Gone, Card::Back},
    };
    const qreal inset = 7;
    const qreal gap = 5;
    const qreal width = (board.width() - 2 * inset - (columns - 1) * gap) / columns;
    const qreal height = (board.height() - 2 * inset - (rows - 1) * gap) / rows;
    CardStyle style;
    style.corner = 0.14;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const QRectF card(board.left() + inset + c * (width + gap), board.top() + inset + r * (height + gap), width,
                              height);
            switch (layout[r][c]) {
            case Card::Back:
                paintCardBack(painter, card, style);
                break;
            case Card::Face:
                paintCardFace(painter, card, QStringLiteral("A"), style);
                break;
            case Card::Turning:
                paintTurningCard(painter, card, 0.55, true, QStringLiteral("A"), style);
                break;
            case Card::Gone:
                break;
            }
        }
    }
}

void paintTitle(QPainter& painter, const QRectF& box)
{
    QFont font = artworkFont(40);
    QPainterPath title;
    title.addText(0, 0, font, QStringLiteral("Tessaloom"));
    // Shrink to the box if the build host's font runs wide.
    const qreal scale = std::min(1.0, box.width() / title.boundingRect().width());
    QTransform fit;
    fit.scale(scale, scale);
    title = fit.map(title);
    const QRectF bounds = title.boundingRect();
    title.translate(box.center() - bounds.center());

    paintGiltLettering(painter, title, {{0.0, QColor(255, 246, 196)}, {0.5, kGold}, {1.0, QColor(214, 134, 36)}},
                       QPointF(1.5, 2), QPen(QColor(60, 30, 8), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// A gold line under the title with a diamond at its middle and its ends.
void paintRule(QPainter& painter, qreal y)
{
    painter.setPen(QPen(kGold, 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(30, y), QPointF(88, y));
    painter.drawLine(QPointF(112, y), QPointF(170, y));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGold);
    for (const auto& [x, r] : {std::pair{100.0, 5.0}, std::pair{28.0, 3.0}, std::pair{172.0, 3.0}}) {
        QPolygonF diamond;
        diamond << QPointF(x, y - r) << QPointF(x + r, y) << QPointF(x, y + r) << QPointF(x - r, y);
        painter.drawPolygon(diamond);
    }
}

} // namespace

QImage renderProgramPicture()
{
    QImage image(kProgramPictureWidth, kProgramPictureHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);

    QLinearGradient night(0, 0, 0, image.height());
    night.setColorAt(0.0, QColor(34, 44, 104));
    night.setColorAt(1.0, QColor(10, 14, 40));
    painter.fillRect(image.rect(), night);

    paintBoard(painter, QRectF(10, 10, 180, 156));
    paintTitle(painter, QRectF(8, 170, 184, 40));
    paintRule(painter, 219);
    return image;
}

} // namespace tessaloom::artwork
