// Language: the user's display language, as the locale's variables name it.
#include "Language.h"

#include <cstdlib>

int Language::OfSystem() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0') continue;
        std::string name(value);
        std::string code = name.substr(0, name.find_first_of("_.@"));  // "de_AT.UTF-8" speaks "de"
        int language = Find(std::wstring(code.begin(), code.end()));
        return language >= 0 ? language : kEnglish;
    }
    return kEnglish;
}
