#pragma once

// Stand-ins for the help viewer, the web opener and the program's folder that tests script
// and inspect.
#include "help/help_viewer.h"
#include "platform/application_info.h"
#include "platform/web_browser.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace tessaloom::testing {

// Records every request as "topic <topic> in <file>" or "index <keyword> in <file>"; throws
// instead when told to, like a viewer that breaks down.
class ScriptedHelpViewer final : public HelpViewer {
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

private:
    void record(std::string request)
    {
        if (fails)
            throw std::runtime_error("the help viewer cannot be started");
        requests.push_back(std::move(request));
    }
};

class ScriptedWebBrowser final : public WebBrowser {
public:
    std::vector<std::string> opened;
    bool fails = false;

    void openAddress(const std::string& address) override
    {
        if (fails)
            throw std::runtime_error("no web browser");
        opened.push_back(address);
    }
};

// The program's folder as a test sets it; changing it between commands shows whether a
// command asks for it afresh.
class FixedProgramFolder final : public ApplicationInfo {
public:
    explicit FixedProgramFolder(std::string folder)
        : folder(std::move(folder))
    {
    }
    std::string folder;
    std::string programFolder() const override { return folder; }
};

} // namespace tessaloom::testing
