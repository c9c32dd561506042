#pragma once

#include <QFont>
#include <QGradient>
#include <QPainter>
#include <QPainterPath>

namespace tessaloom::artwork {

// The lettering of every picture: Comic Neue, sized in pixels so a picture looks the same
// whatever the build host's screen resolution.
QFont artworkFont(qreal pixelSize, int weight = QFont::Bold);

// False when the build host lacks the font and another one stands in.
bool artworkFontInstalled();

// Gold lettering: the text's outline filled with a gilt gradient from its top to its bottom,
// over a soft shadow at the offset, edged with the pen.
void paintGiltLettering(QPainter& painter, const QPainterPath& text, const QGradientStops& gilt, QPointF shadowOffset,
                        const QPen& edge);

} // namespace tessaloom::artwork
