#include "artwork/quill.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace tessaloom::artwork {

namespace {

constexpr qreal kPi = 3.14159265358979323846;
// Share of the shaft, from the tip, that carries the vane.
constexpr qreal kVaneEnd = 0.74;

struct Spine {
    QPointF from;
    QPointF control;
    QPointF to;

    QPointF at(qreal t) const
    {
        const qreal u = 1 - t;
        return u * u * from + 2 * u * t * control + t * t * to;
    }
    QPointF tangent(qreal t) const
    {
        const QPointF d = 2 * (1 - t) * (control - from) + 2 * t * (to - control);
        const qreal length = std::hypot(d.x(), d.y());
        return length > 0 ? d / length : QPointF(1, 0);
    }
    // The normal to the left of the direction of travel.
    QPointF normal(qreal t) const
    {
        const QPointF d = tangent(t);
        return QPointF(d.y(), -d.x());
    }
};

// How far the vane reaches from the shaft: round at the tip, full in the upper middle,
// narrowing to nothing where the shaft goes bare.
qreal vaneReach(qreal t)
{
    const qreal s = t / kVaneEnd;
    if (s <= 0 || s >= 1)
        return 0;
    return std::pow(std::sin(kPi * std::pow(s, 0.75)), 0.55) * (1.0 - 0.25 * s);
}

QPainterPath vaneOutline(const Spine& spine, const QuillStyle& style)
{
    const int steps = 90;
    const qreal narrow = 0.62; // the other side of a flight feather is narrower
    QPolygonF outline;
    for (int k = 0; k <= steps; ++k) {
        const qreal t = kVaneEnd * k / steps;
        outline << spine.at(t) + spine.normal(t) * (style.vaneWidth * vaneReach(t));
    }
    for (int k = steps; k >= 0; --k) {
        const qreal t = kVaneEnd * k / steps;
        outline << spine.at(t) - spine.normal(t) * (style.vaneWidth * narrow * vaneReach(t));
    }
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    return path;
}

// A split in the vane: a thin wedge from the edge towards the shaft, slanting to the tip.
QPainterPath notch(const Spine& spine, const QuillStyle& style, qreal t, qreal side)
{
    const qreal reach = style.vaneWidth * (side > 0 ? 1.0 : 0.62) * vaneReach(t);
    const QPointF n = spine.normal(t) * side;
    const QPointF d = spine.tangent(t);
    const QPointF outer = spine.at(t) + n * (reach * 1.2);
    const QPointF inner = spine.at(t) + n * (reach * 0.35) + d * (reach * 0.35);
    QPainterPath path;
    path.moveTo(outer - d * (reach * 0.10));
    path.lineTo(inner);
    path.lineTo(outer + d * (reach * 0.05));
    path.closeSubpath();
    return path;
}

void paintBarbs(QPainter& painter, const Spine& spine, const QuillStyle& style, const QPainterPath& vane)
{
    painter.save();
    painter.setClipPath(vane, Qt::IntersectClip);
    const qreal length = std::hypot(spine.to.x() - spine.from.x(), spine.to.y() - spine.from.y());
    const int count = static_cast<int>(length * kVaneEnd / 2.6);
    for (int k = 1; k < count; ++k) {
        const qreal t = kVaneEnd * k / count;
        for (qreal side : {1.0, -1.0}) {
            const qreal reach = style.vaneWidth * 1.3;
            const QPointF start = spine.at(t);
            // Barbs sweep towards the tip and curve a little as they go.
            const QPointF direction = spine.normal(t) * side - spine.tangent(t) * 0.55;
            const QPointF end = start + direction * reach;
            const QPointF bend = start + direction * (reach * 0.5) + spine.tangent(t) * (reach * 0.08);
            QPainterPath barb(start);
            barb.quadTo(bend, end);
            painter.setPen(QPen(k % 2 ? QColor(255, 255, 255, 46) : QColor(0, 0, 40, 40), 0.9));
            painter.drawPath(barb);
        }
    }
    painter.restore();
}

void paintShaft(QPainter& painter, const Spine& spine, const QuillStyle& style)
{
    const int steps = 80;
    const qreal thickest = std::max(1.2, style.vaneWidth * 0.075);
    QPolygonF shaft;
    auto width = [&](qreal t) { return thickest * (0.25 + 0.75 * std::min(1.0, t / 0.8)); };
    for (int k = 0; k <= steps; ++k) {
        const qreal t = 0.02 + 0.93 * k / steps;
        shaft << spine.at(t) + spine.normal(t) * width(t);
    }
    for (int k = steps; k >= 0; --k) {
        const qreal t = 0.02 + 0.93 * k / steps;
        shaft << spine.at(t) - spine.normal(t) * width(t);
    }
    QLinearGradient light(spine.from, spine.to);
    light.setColorAt(0.0, style.shaftColour);
    light.setColorAt(0.7, style.shaftColour);
    light.setColorAt(1.0, style.shaftColour.darker(125));
    painter.setPen(QPen(style.shaftColour.darker(170), std::max(0.5, thickest * 0.25)));
    painter.setBrush(light);
    painter.drawPolygon(shaft);

    // The cut point, dark with ink.
    const qreal cut = 0.9;
    QPolygonF point;
    point << spine.at(cut) + spine.normal(cut) * width(cut) * 1.05 << spine.at(1.0)
          << spine.at(cut) - spine.normal(cut) * width(cut) * 1.05;
    painter.setPen(Qt::NoPen);
    painter.setBrush(style.inkColour);
    painter.drawPolygon(point);
}

} // namespace

void paintQuill(QPainter& painter, QPointF tip, QPointF point, const QuillStyle& style)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPointF middle = (tip + point) / 2;
    const QPointF along = point - tip;
    const QPointF left(along.y(), -along.x());
    const Spine spine{tip, middle + left * style.bend, point};

    QPainterPath vane = vaneOutline(spine, style);
    if (style.notches) {
        vane = vane.subtracted(notch(spine, style, 0.22, 1.0));
        vane = vane.subtracted(notch(spine, style, 0.47, 1.0));
        vane = vane.subtracted(notch(spine, style, 0.36, -1.0));
    }

    // A soft shadow lifts the feather off whatever lies beneath.
    painter.save();
    painter.translate(style.vaneWidth * 0.08, style.vaneWidth * 0.12);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawPath(vane);
    painter.restore();

    QLinearGradient colours(spine.from, spine.at(kVaneEnd));
    colours.setColorAt(0.0, style.tipColour);
    colours.setColorAt(0.5, style.midColour);
    colours.setColorAt(1.0, style.baseColour);
    painter.setPen(QPen(style.baseColour.darker(160), std::max(0.6, style.vaneWidth * 0.02)));
    painter.setBrush(colours);
    painter.drawPath(vane);

    // Light falls on the wide side of the vane, away from the shaft.
    QRadialGradient sheen(spine.at(0.3) + spine.normal(0.3) * style.vaneWidth * 0.45, style.vaneWidth * 1.1);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 90));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sheen);
    painter.drawPath(vane);

    if (style.barbs)
        paintBarbs(painter, spine, style, vane);
    paintShaft(painter, spine, style);
    painter.restore();
}

} // namespace tessaloom::artwork
