#pragma once

#include <string>

namespace tessaloom {

// Hands a web address to the desktop's opener of such addresses, normally the default
// browser. Returns as soon as the opener has been asked; whether it succeeds is not reported.
class WebBrowser {
public:
    virtual ~WebBrowser() = default;

    virtual void openAddress(const std::string& address) = 0;
};

} // namespace tessaloom
