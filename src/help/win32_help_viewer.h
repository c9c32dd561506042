#pragma once

#include "help/help_viewer.h"

#include <string>

namespace tessaloom {

// The system's HTML Help viewer, loaded at the first command rather than linked, so that a
// machine without the component still runs the program: the commands then do nothing, and
// the next command tries again.
class Win32HelpViewer final : public HelpViewer {
public:
    explicit Win32HelpViewer(std::wstring component = L"hhctrl.ocx");
    ~Win32HelpViewer() override;
    Win32HelpViewer(const Win32HelpViewer&) = delete;
    Win32HelpViewer& operator=(const Win32HelpViewer&) = delete;

    void displayTopic(const std::string& helpFile, const std::string& topic) override;
    void displayIndex(const std::string& helpFile, const std::string& keyword) override;

    bool loaded() const { return htmlHelp_ != nullptr; }

private:
    void call(const std::string& helpFile, unsigned command, const std::string& data);

    std::wstring component_;
    void* module_ = nullptr;
    void* htmlHelp_ = nullptr;
};

} // namespace tessaloom
