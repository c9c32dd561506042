#pragma once

#include <string>

namespace tessaloom {

class Calendar;

// The About box's controls that its handlers change; the dialog closes once `Unloaded` is set.
struct AboutControls {
    std::string lblVersion = "Version 1.0"; // fixed: the box does not follow the build's version
    std::string lblCopyright;
    bool Unloaded = false;
};

// The logic of the About box. A new one is made for every opening, so the year is read afresh.
class AboutBox {
public:
    explicit AboutBox(const Calendar& calendar);

    const AboutControls& controls() const { return controls_; }

    void Form_Load();
    void cmdOK_Click();

private:
    const Calendar& calendar_;
    AboutControls controls_;
};

} // namespace tessaloom
