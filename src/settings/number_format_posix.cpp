#include "settings/number_format.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <string>

namespace tessaloom {

namespace {

// A separator in the locale's own character set as UTF-8; nothing when it cannot be converted.
std::string toUtf8(const char* text, const char* codeset)
{
    std::string in = text ? text : "";
    if (in.empty())
        return {};
    const iconv_t converter = iconv_open("UTF-8", codeset);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string out(in.size() * 4, '\0');
    char* from = in.data();
    char* to = out.data();
    std::size_t left = in.size();
    std::size_t room = out.size();
    const bool converted = iconv(converter, &from, &left, &to, &room) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    if (!converted)
        return {};
    out.resize(out.size() - room);
    return out;
}

} // namespace

NumberFormat userNumberFormat()
{
    NumberFormat format;
    // The numeric locale that LC_ALL, LC_NUMERIC or LANG names, taken with its own character set:
    // the separators are text in that set (French groups digits with a narrow no-break space),
    // and the character set of another category may differ. The process's locale is not touched.
    const locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (numeric == static_cast<locale_t>(nullptr))
        return format;
    const locale_t locale = newlocale(LC_CTYPE_MASK, nl_langinfo_l(_NL_LOCALE_NAME(LC_NUMERIC), numeric), numeric);
    if (locale == static_cast<locale_t>(nullptr)) {
        freelocale(numeric);
        return format;
    }
    const char* codeset = nl_langinfo_l(CODESET, locale);
    if (std::string decimal = toUtf8(nl_langinfo_l(RADIXCHAR, locale), codeset); !decimal.empty())
        format.decimalSeparator = std::move(decimal);
    format.thousandsSeparator = toUtf8(nl_langinfo_l(THOUSEP, locale), codeset);
    freelocale(locale);
    return format;
}

} // namespace tessaloom
