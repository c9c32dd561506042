#pragma once

#include <string>

namespace tessaloom {

class ApplicationInfo;
class HelpViewer;
class WebBrowser;

// Start topics of the Contents command in the two windows with a Help menu.
inline constexpr const char* kWelcomeTopic = "Welcome.htm";
inline constexpr const char* kCustomizingPicturesTopic = "Customizing_Pictures.htm";

// The maker's web site, opened by "Marrowquill Software on the Web".
inline constexpr const char* kMakerWebAddress = "https://www.marrowquill.example/tessaloom/";

// The help file lies in a "Help" folder beside the program.
inline constexpr const char* kHelpFolderName = "Help";
inline constexpr const char* kHelpFileName = "Tessaloom Help.chm";

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The program's folder exactly as the platform reports it, followed by the separator, the
// help folder, the separator and the file name.
std::string helpFilePath(const std::string& programFolder, char separator = kPathSeparator);

// The commands of the Help menus: Contents, Index and the maker's web site. They hold no
// state; the help file's path is worked out afresh at every command, so the file may be
// installed or replaced while the program runs.
class HelpCommands {
public:
    HelpCommands(const ApplicationInfo& application, HelpViewer& viewer, WebBrowser& browser);

    // Opens the help file at the window's start topic (kWelcomeTopic from the game window,
    // kCustomizingPicturesTopic from the picture dialog).
    void showContents(const std::string& startTopic) const;

    // Opens the help file's index with no keyword selected.
    void showIndex() const;

    // Opens the maker's web site.
    void openWebSite() const;

    // Hands the address to the desktop's default handler for it.
    void HyperJump(const std::string& URL) const;

    std::string helpFilePath() const;

private:
    const ApplicationInfo& application_;
    HelpViewer& viewer_;
    WebBrowser& browser_;
};

} // namespace tessaloom
