#include "help/win32_help_viewer.h"

#include <windows.h>

// For the command codes only: the functions come from the component loaded at run time.
#include <htmlhelp.h>

namespace tessaloom {
namespace {

using HtmlHelpWFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

// The program's texts are UTF-8; the wide interface keeps paths outside the ANSI code page
// intact.
std::wstring widen(const std::string& text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

} // namespace

Win32HelpViewer::Win32HelpViewer(std::wstring component)
    : component_(std::move(component))
{
}

Win32HelpViewer::~Win32HelpViewer()
{
    if (!module_)
        return;
    // Viewer windows still open must go before their code is unloaded.
    if (htmlHelp_)
        reinterpret_cast<HtmlHelpWFunction>(htmlHelp_)(nullptr, nullptr, HH_CLOSE_ALL, 0);
    FreeLibrary(static_cast<HMODULE>(module_));
}

void Win32HelpViewer::displayTopic(const std::string& helpFile, const std::string& topic)
{
    // Command 1 opens the viewer on its Contents tab and shows the topic.
    call(helpFile, HH_DISPLAY_TOC, topic);
}

void Win32HelpViewer::displayIndex(const std::string& helpFile, const std::string& keyword)
{
    call(helpFile, HH_DISPLAY_INDEX, keyword);
}

void Win32HelpViewer::call(const std::string& helpFile, unsigned command, const std::string& data)
{
    if (!module_)
        module_ = LoadLibraryW(component_.c_str());
    if (module_ && !htmlHelp_)
        htmlHelp_ = reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module_), "HtmlHelpW"));
    if (!htmlHelp_)
        return;
    const std::wstring file = widen(helpFile);
    const std::wstring argument = widen(data);
    // No owner window: the viewer is a window of its own and not modal.
    reinterpret_cast<HtmlHelpWFunction>(htmlHelp_)(nullptr, file.c_str(), command,
                                                   reinterpret_cast<DWORD_PTR>(argument.c_str()));
}

} // namespace tessaloom
