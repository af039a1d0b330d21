#include "report/c_numeric_locale.h"

#include <clocale>
#include <cstdint>
#include <locale.h>
#include <string>

void UseCNumericLocale()
{
    std::setlocale(LC_NUMERIC, "C");
}

#ifdef _WIN32

// Windows: a per-thread locale, set to "C" for numbers and restored after.
ScopedCNumericLocale::ScopedCNumericLocale()
{
    const int mode = _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
    const char *current = std::setlocale(LC_NUMERIC, nullptr);
    auto *saved = new std::string(current ? current : "C");
    std::setlocale(LC_NUMERIC, "C");
    previous_ = saved;
    own_ = reinterpret_cast<void *>(static_cast<intptr_t>(mode));
}

ScopedCNumericLocale::~ScopedCNumericLocale()
{
    auto *saved = static_cast<std::string *>(previous_);
    std::setlocale(LC_NUMERIC, saved->c_str());
    delete saved;
    _configthreadlocale(static_cast<int>(reinterpret_cast<intptr_t>(own_)));
}

#else

// POSIX: uselocale() swaps the calling thread's locale only.
ScopedCNumericLocale::ScopedCNumericLocale()
{
    locale_t base = duplocale(uselocale(nullptr));
    if (!base)
        return;
    locale_t numeric = newlocale(LC_NUMERIC_MASK, "C", base);
    if (!numeric) {
        freelocale(base);
        return;
    }
    own_ = numeric;
    previous_ = uselocale(numeric);
}

ScopedCNumericLocale::~ScopedCNumericLocale()
{
    if (!own_)
        return;
    uselocale(static_cast<locale_t>(previous_));
    freelocale(static_cast<locale_t>(own_));
}

#endif
