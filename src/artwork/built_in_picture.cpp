#include "artwork/built_in_picture.h"

#include "artwork/artwork_font.h"
#include "artwork/quill.h"
#include "artwork/weave.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>

namespace tessaloom::artwork {

namespace {

constexpr qreal kPi = 3.14159265358979323846;
const QPointF kEmblemCentre(321, 166);
constexpr qreal kEmblemRadius = 134;
const QColor kGold(236, 186, 72);
const QColor kNight(14, 20, 52);

void paintBackground(QPainter& painter, const QRectF& area)
{
    WeaveStyle weave;
    weave.ribbon = 36;
    weave.gap = 5;
    weave.ground = QColor(10, 12, 30);
    weave.warp = warmThreads();
    weave.weft = coolThreads();
    weave.origin = QPointF(-8, -14);
    paintWeave(painter, area, weave);

    // Darken the edges so the eye goes to the middle.
    QRadialGradient vignette(area.center(), area.width() * 0.62);
    vignette.setColorAt(0.45, QColor(0, 0, 20, 0));
    vignette.setColorAt(1.0, QColor(0, 0, 20, 150));
    painter.fillRect(area, vignette);
}

// The emblem's ground: a disc of stained-glass triangles in the blues of night ink, a
// tessellation in the literal sense, with gold leading between the panes.
void paintTessellatedDisc(QPainter& painter)
{
    painter.save();
    QPainterPath disc;
    disc.addEllipse(kEmblemCentre, kEmblemRadius, kEmblemRadius);
    painter.setClipPath(disc);

    const qreal side = 38;
    const qreal rowHeight = side * std::sqrt(3.0) / 2;
    const QRectF box(kEmblemCentre.x() - kEmblemRadius, kEmblemCentre.y() - kEmblemRadius, 2 * kEmblemRadius,
                     2 * kEmblemRadius);
    painter.setPen(QPen(QColor(120, 90, 30), 1.6));
    for (int row = -1; row * rowHeight < box.height() + rowHeight; ++row) {
        const qreal top = box.top() + row * rowHeight;
        const qreal shift = (row & 1) ? side / 2 : 0;
        for (int k = -2; k * side / 2 < box.width() + side; ++k) {
            const qreal left = box.left() + shift + k * side / 2 - side;
            const bool pointingUp = ((k + row) & 1) == 0;
            QPolygonF pane;
            if (pointingUp)
                pane << QPointF(left + side / 2, top) << QPointF(left + side, top + rowHeight)
                     << QPointF(left, top + rowHeight);
            else
                pane << QPointF(left, top) << QPointF(left + side, top) << QPointF(left + side / 2, top + rowHeight);
            const QPointF centre = pane.boundingRect().center();
            const QPointF d = centre - kEmblemCentre;
            const qreal angle = std::atan2(d.y(), d.x());
            const qreal distance = std::hypot(d.x(), d.y()) / kEmblemRadius;
            // Hues turn around the disc from deep blue through violet to teal.
            const qreal hue = 0.58 + 0.12 * std::sin(angle * 2 + 0.6) + 0.03 * ((k * 7 + row * 3) % 3);
            const qreal value = 0.78 - 0.38 * distance + 0.08 * (((k + 2 * row) % 3 + 3) % 3) / 2.0;
            painter.setBrush(QColor::fromHsvF(static_cast<float>(std::fmod(hue + 1.0, 1.0)), 0.78f,
                                              static_cast<float>(std::clamp(value, 0.2, 1.0))));
            painter.drawPolygon(pane);
        }
    }
    // A glow behind where the quill will lie.
    QRadialGradient glow(kEmblemCentre + QPointF(-10, -10), kEmblemRadius);
    glow.setColorAt(0.0, QColor(255, 240, 200, 90));
    glow.setColorAt(0.6, QColor(255, 240, 200, 0));
    painter.fillRect(box, glow);
    painter.restore();
}

void paintRing(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    QLinearGradient metal(kEmblemCentre - QPointF(kEmblemRadius, kEmblemRadius),
                          kEmblemCentre + QPointF(kEmblemRadius, kEmblemRadius));
    metal.setColorAt(0.0, QColor(255, 236, 160));
    metal.setColorAt(0.45, kGold);
    metal.setColorAt(0.7, QColor(160, 104, 28));
    metal.setColorAt(1.0, QColor(250, 214, 120));
    painter.setPen(QPen(QColor(40, 24, 8, 160), 15));
    painter.drawEllipse(kEmblemCentre, kEmblemRadius + 1, kEmblemRadius + 1);
    painter.setPen(QPen(QBrush(metal), 11));
    painter.drawEllipse(kEmblemCentre, kEmblemRadius, kEmblemRadius);
    painter.setPen(QPen(QColor(255, 244, 200, 180), 1.2));
    painter.drawEllipse(kEmblemCentre, kEmblemRadius - 4, kEmblemRadius - 4);
    // Beads of the ring.
    painter.setPen(Qt::NoPen);
    for (int k = 0; k < 24; ++k) {
        const qreal a = 2 * kPi * k / 24;
        const QPointF bead = kEmblemCentre + QPointF(std::cos(a), std::sin(a)) * (kEmblemRadius + 12);
        QRadialGradient shine(bead - QPointF(1.2, 1.2), 4.5);
        shine.setColorAt(0.0, QColor(255, 248, 210));
        shine.setColorAt(1.0, QColor(170, 112, 30));
        painter.setBrush(shine);
        painter.drawEllipse(bead, 3.6, 3.6);
    }
    painter.restore();
}

// The ink line the quill has just written: a wave that swells and thins like a pen stroke.
void paintFlourish(QPainter& painter, QPointF start)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath ink(start);
    ink.cubicTo(start + QPointF(-18, 26), start + QPointF(-52, 26), start + QPointF(-74, 8));
    ink.cubicTo(start + QPointF(-94, -8), start + QPointF(-116, -10), start + QPointF(-132, 6));
    ink.cubicTo(start + QPointF(-142, 16), start + QPointF(-136, 30), start + QPointF(-124, 26));
    painter.setPen(QPen(QColor(0, 0, 0, 100), 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(ink.translated(2, 3));
    // Layers of narrowing width along shortening runs give the stroke its swell.
    for (int layer = 0; layer < 4; ++layer) {
        const qreal share = 1.0 - layer * 0.22;
        QPainterPath part;
        const int steps = 60;
        for (int k = 0; k <= steps; ++k) {
            const qreal t = (1 - share) / 2 + share * k / steps;
            const QPointF p = ink.pointAtPercent(t);
            if (k == 0)
                part.moveTo(p);
            else
                part.lineTo(p);
        }
        painter.setPen(QPen(kGold.lighter(110 + layer * 5), 1.6 + layer * 1.1, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(part);
    }
    painter.restore();
}

void paintEmblem(QPainter& painter)
{
    // A soft dark halo sets the emblem apart from the busy cloth behind it.
    QRadialGradient halo(kEmblemCentre + QPointF(4, 8), kEmblemRadius + 46);
    halo.setColorAt(kEmblemRadius / (kEmblemRadius + 46), QColor(0, 0, 16, 150));
    halo.setColorAt(1.0, QColor(0, 0, 16, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    painter.drawEllipse(kEmblemCentre + QPointF(4, 8), kEmblemRadius + 46, kEmblemRadius + 46);
    paintTessellatedDisc(painter);
    paintRing(painter);
    const QPointF point = kEmblemCentre + QPointF(-62, 100);
    paintFlourish(painter, point + QPointF(-4, 2));
    QuillStyle quill;
    quill.vaneWidth = 50;
    quill.bend = 0.07;
    quill.tipColour = QColor(255, 236, 130);
    quill.midColour = QColor(250, 150, 40);
    quill.baseColour = QColor(214, 48, 60);
    quill.shaftColour = QColor(255, 248, 230);
    quill.inkColour = QColor(20, 16, 40);
    paintQuill(painter, kEmblemCentre + QPointF(150, -150), point, quill);
}

// Text drawn as a path, so it can carry a gradient and a dark outline.
QPainterPath textPath(const QString& text, const QFont& font, const QRectF& box, qreal letterSpacing = 0)
{
    QFont spaced = font;
    if (letterSpacing != 0)
        spaced.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    QPainterPath path;
    path.addText(0, 0, spaced, text);
    const QRectF bounds = path.boundingRect();
    const QFontMetricsF metrics(spaced);
    // Centre on the ink, across and down, so different words sit the same way.
    path.translate(box.center().x() - bounds.center().x(), box.center().y() - bounds.center().y());
    return path;
}

void paintName(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);

    const QRectF band(22, 322, 598, 142);
    QPainterPath plate;
    plate.addRoundedRect(band, 18, 18);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawPath(plate.translated(3, 5));
    QLinearGradient night(band.topLeft(), band.bottomLeft());
    night.setColorAt(0.0, QColor(30, 38, 92, 240));
    night.setColorAt(1.0, QColor(kNight.red(), kNight.green(), kNight.blue(), 245));
    painter.setBrush(night);
    painter.setPen(QPen(kGold, 3));
    painter.drawPath(plate);
    painter.setPen(QPen(QColor(kGold.red(), kGold.green(), kGold.blue(), 140), 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(band.adjusted(6, 6, -6, -6), 13, 13);

    const QPainterPath name =
        textPath(QStringLiteral("Marrowquill"), artworkFont(86), QRectF(band.left(), band.top() + 6, band.width(), 88));
    paintGiltLettering(painter, name,
                       {{0.0, QColor(255, 246, 190)},
                        {0.48, QColor(248, 196, 70)},
                        {0.52, QColor(226, 150, 40)},
                        {1.0, QColor(255, 214, 110)}},
                       QPointF(3, 4), QPen(QColor(70, 34, 10), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

    const QRectF lowerLine(band.left(), band.top() + 96, band.width(), 36);
    const QPainterPath software = textPath(QStringLiteral("SOFTWARE"), artworkFont(30), lowerLine, 12);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(236, 240, 255));
    painter.drawPath(software);

    // Gold rules either side of the lower word, ending in small diamonds.
    const QRectF word = software.boundingRect();
    const qreal y = word.center().y();
    painter.setPen(QPen(kGold, 2.4, Qt::SolidLine, Qt::RoundCap));
    for (qreal side : {-1.0, 1.0}) {
        const qreal from = side < 0 ? word.left() - 18 : word.right() + 18;
        const qreal to = side < 0 ? band.left() + 48 : band.right() - 48;
        painter.drawLine(QPointF(from, y), QPointF(to, y));
        QPolygonF diamond;
        diamond << QPointF(to, y - 6) << QPointF(to + 6 * side, y) << QPointF(to, y + 6) << QPointF(to - 6 * side, y);
        painter.setBrush(kGold);
        painter.drawPolygon(diamond);
    }
    painter.restore();
}

} // namespace

QImage renderBuiltInPicture()
{
    QImage image(kBuiltInPictureWidth, kBuiltInPictureHeight, QImage::Format_RGB32);
    image.fill(kNight);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    paintBackground(painter, QRectF(image.rect()));
    paintEmblem(painter);
    paintName(painter);
    return image;
}

} // namespace tessaloom::artwork
