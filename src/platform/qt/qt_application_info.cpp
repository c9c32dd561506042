#include "platform/qt/qt_application_info.h"

#include <QCoreApplication>
#include <QDir>

namespace tessaloom {

std::string QtApplicationInfo::programFolder() const
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
}

} // namespace tessaloom
