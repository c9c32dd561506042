#include "settings/number_format.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <locale.h>

namespace tessaloom {

namespace {

bool isAscii(const char* text)
{
    for (; *text; ++text)
        if (static_cast<unsigned char>(*text) >= 0x80)
            return false;
    return true;
}

} // namespace

NumberFormat userNumberFormat()
{
    NumberFormat format;
    // The locale named by LC_ALL, LC_NUMERIC or LANG, without touching the process's own locale.
    const locale_t locale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr))
        return format;
    const char* codeset = nl_langinfo_l(CODESET, locale);
    const bool utf8 = codeset && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
    // Separators in another encoding could never match UTF-8 text; keep only what reads the same.
    const char* decimal = nl_langinfo_l(RADIXCHAR, locale);
    if (decimal && *decimal && (utf8 || isAscii(decimal)))
        format.decimalSeparator = decimal;
    const char* thousands = nl_langinfo_l(THOUSEP, locale);
    if (thousands && (utf8 || isAscii(thousands)))
        format.thousandsSeparator = thousands;
    freelocale(locale);
    return format;
}

} // namespace tessaloom
