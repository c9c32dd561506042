#pragma once

#include <string>

namespace tessaloom {

// The viewer of a compiled help file. It opens as a window of its own, owned by none of the
// program's windows and not modal, and each call returns as soon as the viewer has been
// asked. A file or topic it cannot show is the viewer's business: it never ends the program
// and never affects the caller.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;

    // Shows the topic (a file inside the help file, such as "Welcome.htm").
    virtual void displayTopic(const std::string& helpFile, const std::string& topic) = 0;

    // Shows the index, with the keyword in its search field (empty: none selected).
    virtual void displayIndex(const std::string& helpFile, const std::string& keyword) = 0;
};

} // namespace tessaloom
