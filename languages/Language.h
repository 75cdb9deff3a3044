// Language: the languages the program speaks and the one it speaks now.
#pragma once

#include "Catalogue.h"
#include "TextId.h"

#include <cstdint>
#include <string>
#include <vector>

// The catalogues' languages by index: English (0, the program's own texts) first, then
// each translation in the build's list, then the pseudo-language (accented and longer
// texts, for finding clipped text), which no menu offers. The language chosen holds for
// the whole process and may change at any time; a text asked for afterwards is in it.
class Language {
public:
    static constexpr int kEnglish = 0;

    // Every language, the pseudo-language included.
    static int Count();
    // The languages a player chooses from: English and the translations.
    static int OfferedCount();
    static const char* Code(int language);
    static const wchar_t* OwnName(int language);
    // The language of a code ("de", "qps-ploc"); -1 for none.
    static int Find(const std::wstring& code);
    // The user's display language (Windows') where the catalogue has it, else English.
    static int OfSystem();
    // The language of a setting: its code, or empty to follow the system.
    static int OfSetting(const std::wstring& code);

    static void Choose(int language);
    static int Current();

    // id's text in the current language; of a text with plural forms, the first.
    static std::wstring Text(TextId id);
    // The form of id's text for count, by the current language's rule.
    static std::wstring Text(TextId id, int64_t count);
    // Which value (1-based) decides id's form; 0 for a text without plural forms.
    static int PluralPlace(TextId id);
    // The form (0, 1, 2) of a rule for count.
    static int FormOf(PluralRule rule, int64_t count);
    // text with each "{N}" replaced by values[N - 1]; a place without a value stays.
    static std::wstring Fill(const std::wstring& text, const std::vector<std::wstring>& values);
    // Fill(Text(id), values).
    static std::wstring Say(TextId id, const std::vector<std::wstring>& values);
};
