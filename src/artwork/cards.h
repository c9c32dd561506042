#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace tessaloom::artwork {

// The game's cards as the pictures show them: a patterned back, a plain face with its label.
struct CardStyle {
    QColor back{176, 30, 62};
    QColor latticeColour{255, 205, 90};
    QColor face{255, 251, 240};
    QColor ink{30, 40, 90};
    qreal corner = 0.12; // corner radius as a share of the card's width
    bool lattice = true; // the diamond lattice on the back; off for small sizes
};

void paintCardBack(QPainter& painter, const QRectF& card, const CardStyle& style);
void paintCardFace(QPainter& painter, const QRectF& card, const QString& label, const CardStyle& style);

// A card in the middle of turning over about its upright middle line: `open` is how much of
// its width still faces the viewer (1 flat, 0 edge-on); the edge that swings towards the
// viewer grows taller, the other one shorter.
void paintTurningCard(QPainter& painter, const QRectF& card, qreal open, bool faceShowing, const QString& label,
                      const CardStyle& style);

} // namespace tessaloom::artwork
