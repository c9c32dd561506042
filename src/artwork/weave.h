#pragma once

#include <QColor>
#include <QRectF>
#include <QVector>

class QPainter;

namespace tessaloom::artwork {

// A piece of plain-woven cloth: warp ribbons running down, weft ribbons running across, each
// passing over and under the other in turn, with light on the raised parts and shade where a
// ribbon dips under its neighbour.
struct WeaveStyle {
    qreal ribbon = 24; // width of one ribbon
    qreal gap = 4;     // space between ribbons, where the ground shows
    QColor ground{12, 16, 34};
    QVector<QColor> warp;     // colours of the down ribbons, repeated
    QVector<QColor> weft;     // colours of the across ribbons, repeated
    qreal threadLines = 0.18; // strength of the fine thread texture, 0 for none
    QPointF origin;           // where the first crossing lies, to line patterns up
};

void paintWeave(QPainter& painter, const QRectF& area, const WeaveStyle& style);

// The project's thread colours: warm ones to run down the cloth, cool ones to run across, so
// that over and under read at a glance.
QVector<QColor> warmThreads();
QVector<QColor> coolThreads();

} // namespace tessaloom::artwork
