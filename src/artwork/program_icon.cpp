#include "artwork/artwork.h"

namespace tessaloom {

QIcon programIcon()
{
    QIcon icon;
    for (int size : kIconSizes)
        icon.addFile(QStringLiteral(":/artwork/icon_%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace tessaloom
