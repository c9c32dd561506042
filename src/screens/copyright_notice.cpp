#include "screens/copyright_notice.h"

namespace tessaloom {

std::string copyrightNotice(int year)
{
    if (year <= kFirstCopyrightYear)
        return kDesignedCopyrightNotice;
    return "\xC2\xA9 " + std::to_string(kFirstCopyrightYear) + "-" + std::to_string(year) + " Marrowquill Software";
}

} // namespace tessaloom
