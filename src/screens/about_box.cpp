#include "screens/about_box.h"

#include "platform/calendar.h"
#include "screens/copyright_notice.h"

namespace tessaloom {

AboutBox::AboutBox(const Calendar& calendar)
    : calendar_(calendar)
{
    controls_.lblCopyright = kDesignedCopyrightNotice;
}

void AboutBox::Form_Load()
{
    controls_.lblCopyright = copyrightNotice(calendar_.currentYear());
}

void AboutBox::cmdOK_Click()
{
    controls_.Unloaded = true;
}

} // namespace tessaloom
