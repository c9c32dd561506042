#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

namespace tessaloom::artwork {

// A Windows icon file (.ico) holding the given square pictures, each stored as a PNG entry of
// its own. Every Windows that runs the program reads PNG entries at any size. Sizes up to 256.
QByteArray icoFile(const QList<QImage>& images);

} // namespace tessaloom::artwork
