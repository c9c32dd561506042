#pragma once

#include <QImage>

namespace tessaloom::artwork {

// The picture under the game board: the maker's emblem and name over woven ribbons, drawn at
// twice the board's size so it stays sharp on dense screens.
inline constexpr int kBuiltInPictureWidth = 642;
inline constexpr int kBuiltInPictureHeight = 480;

QImage renderBuiltInPicture();

} // namespace tessaloom::artwork
