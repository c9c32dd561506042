#pragma once

// A stand-in for the help viewer and the web opener that tests script and inspect.
#include "help/help_viewer.h"
#include "platform/web_browser.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace tessaloom::testing {

// Both the help viewer and the web opener, so one list shows every request in its order:
// "topic <topic> in <file>", "index <keyword> in <file>" or "web <address>". Throws instead
// when told to, like a viewer or browser that breaks down.
class ScriptedHelpAndWeb final : public HelpViewer, public WebBrowser {
public:
    std::vector<std::string> requests;
    bool fails = false;

    void displayTopic(const std::string& helpFile, const std::string& topic) override
    {
        record("topic " + topic + " in " + helpFile);
    }
    void displayIndex(const std::string& helpFile, const std::string& keyword) override
    {
        record("index " + keyword + " in " + helpFile);
    }
    void openAddress(const std::string& address) override { record("web " + address); }

private:
    void record(std::string request)
    {
        if (fails)
            throw std::runtime_error("the help viewer or the browser cannot be started");
        requests.push_back(std::move(request));
    }
};

} // namespace tessaloom::testing
