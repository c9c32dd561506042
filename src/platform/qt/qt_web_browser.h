#pragma once

#include "platform/web_browser.h"

namespace tessaloom {

// Opens addresses with the desktop's standard opener (QDesktopServices).
class QtWebBrowser final : public WebBrowser {
public:
    void openAddress(const std::string& address) override;
};

} // namespace tessaloom
