#include "help/help_commands.h"

#include "help/help_viewer.h"
#include "platform/application_info.h"
#include "platform/web_browser.h"

namespace tessaloom {

std::string helpFilePath(const std::string& programFolder, char separator)
{
    std::string path = programFolder;
    path += separator;
    path += kHelpFolderName;
    path += separator;
    path += kHelpFileName;
    return path;
}

HelpCommands::HelpCommands(const ApplicationInfo& application, HelpViewer& viewer, WebBrowser& browser)
    : application_(application)
    , viewer_(viewer)
    , browser_(browser)
{
}

std::string HelpCommands::helpFilePath() const
{
    return tessaloom::helpFilePath(application_.programFolder());
}

namespace {

// A viewer or opener that fails must not take the menu handler, and with it the program,
// down: whatever it throws ends here.
template <typename Call>
void guarded(Call&& call) noexcept
{
    try {
        call();
    } catch (...) {
    }
}

} // namespace

void HelpCommands::showContents(const std::string& startTopic) const
{
    guarded([&] { viewer_.displayTopic(helpFilePath(), startTopic); });
}

void HelpCommands::showIndex() const
{
    guarded([&] { viewer_.displayIndex(helpFilePath(), std::string()); });
}

void HelpCommands::openWebSite() const
{
    HyperJump(kMakerWebAddress);
}

void HelpCommands::HyperJump(const std::string& URL) const
{
    guarded([&] { browser_.openAddress(URL); });
}

} // namespace tessaloom
