#include "settings/number_format.h"

#include "settings/text_encoding.h"

#include <windows.h>

namespace tessaloom {

namespace {

std::string localeText(LCTYPE item)
{
    wchar_t buffer[16] = {};
    const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, item, buffer, 16);
    if (length <= 1)
        return {};
    return utf16ToUtf8(std::u16string(buffer, buffer + length - 1));
}

} // namespace

NumberFormat userNumberFormat()
{
    NumberFormat format;
    if (std::string decimal = localeText(LOCALE_SDECIMAL); !decimal.empty())
        format.decimalSeparator = std::move(decimal);
    format.thousandsSeparator = localeText(LOCALE_STHOUSAND);
    return format;
}

} // namespace tessaloom
