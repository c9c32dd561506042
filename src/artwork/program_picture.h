#pragma once

#include <QImage>

namespace tessaloom::artwork {

// The program's portrait on the splash window and in the About box: cards turning over a
// woven picture, above the title.
inline constexpr int kProgramPictureWidth = 200;
inline constexpr int kProgramPictureHeight = 233;

QImage renderProgramPicture();

} // namespace tessaloom::artwork
