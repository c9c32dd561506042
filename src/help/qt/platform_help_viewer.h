#pragma once

#include <memory>

namespace tessaloom {

class HelpViewer;
class WebBrowser;

// The help viewer of the system the program runs on: HTML Help on Windows, the program's own
// viewer elsewhere. Create it after the QApplication and destroy it before.
std::unique_ptr<HelpViewer> makePlatformHelpViewer(WebBrowser& webBrowser);

} // namespace tessaloom
