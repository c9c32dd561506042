#pragma once

#include <QColor>
#include <QPointF>

class QPainter;

namespace tessaloom::artwork {

// A quill pen: a feather on a slightly curved shaft, from the feather's tip to the cut and
// inked point of the shaft.
struct QuillStyle {
    qreal vaneWidth = 40;            // widest reach of the vane from the shaft, on the wide side
    qreal bend = 0.06;               // sideways bow of the shaft, as a share of its length
    QColor tipColour{64, 224, 208};  // the vane's colour at the tip ...
    QColor midColour{40, 110, 230};  // ... in the middle ...
    QColor baseColour{140, 60, 200}; // ... and near the shaft's bare end
    QColor shaftColour{250, 240, 215};
    QColor inkColour{20, 20, 40};
    bool barbs = true;   // fine lines of the barbs; off for small sizes
    bool notches = true; // splits in the vane's edge
};

void paintQuill(QPainter& painter, QPointF tip, QPointF point, const QuillStyle& style);

} // namespace tessaloom::artwork
