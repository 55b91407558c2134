#include "platform/Locale.h"

#include "platform/Cp1251.h"

#include <langinfo.h>
#include <locale.h>

namespace platform {

char UserDecimalSeparator() {
    // newlocale reads the user's environment without touching the process locale.
    locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (!loc)
        return '.';
    const char* radix = nl_langinfo_l(RADIXCHAR, loc);
    char result = '.';
    if (radix && *radix) {
        // The locale's own charset is UTF-8 on every current system; a legacy single-byte
        // locale with an ASCII separator converts the same way.
        if (auto cp = Utf8ToCp1251(radix); cp && cp->size() == 1)
            result = (*cp)[0];
    }
    freelocale(loc);
    return result;
}

} // namespace platform
