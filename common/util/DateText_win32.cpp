// DateText: a day as the locale of a language writes it, as Windows names it.
#include "DateText.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace util {

String DateText::LocaleText(const char* language) const {
    if (year_ < 1601 || year_ > 30827) return String();  // beyond what a SYSTEMTIME holds
    std::wstring code(language, language + std::strlen(language));
    // The user's own variant when it speaks the language ("de-AT" for "de"), else the
    // language's main locale ("de-DE").
    wchar_t locale[LOCALE_NAME_MAX_LENGTH] = {};
    int length = GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
    std::wstring user(length > 0 ? locale : L"");
    if (user.substr(0, user.find(L'-')) != code &&
        ResolveLocaleName(code.c_str(), locale, LOCALE_NAME_MAX_LENGTH) == 0) {
        return String();
    }
    SYSTEMTIME day = {};
    day.wYear = static_cast<WORD>(year_);
    day.wMonth = static_cast<WORD>(month_);
    day.wDay = static_cast<WORD>(day_);
    wchar_t text[128] = {};
    if (GetDateFormatEx(locale, DATE_LONGDATE, &day, nullptr, text, 128, nullptr) == 0) return String();
    return String(text);
}

}  // namespace util
