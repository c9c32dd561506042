#pragma once

#include <QIODevice>
#include <QImage>
#include <QSize>

namespace tessaloom {

// Decodes the primary picture of a HEIF file (HEIC, AVIF) with libheif, turned and mirrored as
// its properties say, and scales it to the box. Null where libheif cannot read it, and always
// where the program is built without libheif.
QImage readHeif(QIODevice& file, QSize box);

} // namespace tessaloom
