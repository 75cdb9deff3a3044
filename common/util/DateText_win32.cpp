// DateText: a day as the locale of a language writes it, as Windows names it.
#include "DateText.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace util {

namespace {

// The language part of a locale name: "de" of "de-AT".
std::wstring LanguageOf(const std::wstring& locale) { return locale.substr(0, locale.find(L'-')); }

}  // namespace

String DateText::LocaleText(const char* language) const {
    if (year_ < 1601 || year_ > 30827) return String();  // beyond what a SYSTEMTIME holds
    std::wstring code(language, language + std::strlen(language));
    // The user's own variant when it speaks the language ("de-AT" for "de"), else the
    // language's main locale ("de-DE"). A name the system does not know may resolve to
    // another language's locale: that one does not count.
    wchar_t locale[LOCALE_NAME_MAX_LENGTH] = {};
    int length = GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
    if (LanguageOf(length > 0 ? locale : L"") != LanguageOf(code) &&
        (ResolveLocaleName(code.c_str(), locale, LOCALE_NAME_MAX_LENGTH) == 0 ||
         LanguageOf(locale) != LanguageOf(code))) {
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
