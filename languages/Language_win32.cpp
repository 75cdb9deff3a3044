// Language: the user's display language, as Windows names it.
#include "Language.h"

#include <windows.h>

int Language::OfSystem() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0) == 0) {
        return kEnglish;
    }
    std::wstring code(name);
    int language = Find(code.substr(0, code.find(L'-')));  // "de-AT" speaks "de"
    return language >= 0 ? language : kEnglish;
}
