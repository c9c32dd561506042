#pragma once

#include <QImage>
#include <QStringList>

namespace tessaloom::artwork {

// The picture dialog's stand-ins for a slot without a picture: a white field in a dark frame
// with three centred lines of dark lettering.
inline constexpr int kPlaceholderWidth = 300;
inline constexpr int kPlaceholderHeight = 252;

QImage renderPlaceholder(const QStringList& lines);

} // namespace tessaloom::artwork
