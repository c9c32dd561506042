#pragma once

#include "help/help_viewer.h"

#include <memory>

namespace tessaloom {

class HelpViewerWindow;
class WebBrowser;

// The program's own help viewer, for systems without one: one window, reused by every
// command, which brings it to the front with the requested topic or the index. When the file
// cannot be read, nothing is shown.
class QtHelpViewer final : public HelpViewer {
public:
    // Web addresses in the topics open in the browser.
    explicit QtHelpViewer(WebBrowser& webBrowser);
    ~QtHelpViewer() override;

    void displayTopic(const std::string& helpFile, const std::string& topic) override;
    void displayIndex(const std::string& helpFile, const std::string& keyword) override;

    // The window, once made; for the program's shutdown and for tests.
    HelpViewerWindow* window() const { return window_.get(); }

private:
    bool open(const std::string& helpFile);
    void present();

    WebBrowser& webBrowser_;
    std::unique_ptr<HelpViewerWindow> window_;
};

} // namespace tessaloom
