#include "help/qt/platform_help_viewer.h"

#ifdef _WIN32
#include "help/win32_help_viewer.h"
#else
#include "help/qt/qt_help_viewer.h"
#endif

namespace tessaloom {

std::unique_ptr<HelpViewer> makePlatformHelpViewer([[maybe_unused]] WebBrowser& webBrowser)
{
#ifdef _WIN32
    return std::make_unique<Win32HelpViewer>();
#else
    return std::make_unique<QtHelpViewer>(webBrowser);
#endif
}

} // namespace tessaloom
