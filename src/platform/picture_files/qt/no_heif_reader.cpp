#include "platform/picture_files/qt/heif_reader.h"

namespace tessaloom {

// Built without libheif (the Windows program): HEIC and AVIF files are refused.
QImage readHeif(QIODevice&, QSize)
{
    return {};
}

} // namespace tessaloom
