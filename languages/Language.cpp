// Language: the languages the program speaks and the one it speaks now.
#include "Language.h"

#include <atomic>

namespace {

std::atomic<int> current{Language::kEnglish};

const CatalogueText& TextOf(TextId id) {
    return kCatalogueLanguages[current.load()].texts[static_cast<int>(id)];
}

}  // namespace

int Language::Count() { return kCatalogueLanguageCount; }

int Language::OfferedCount() { return kCatalogueLanguageCount - 1; }

const char* Language::Code(int language) { return kCatalogueLanguages[language].code; }

const wchar_t* Language::OwnName(int language) { return kCatalogueLanguages[language].ownName; }

int Language::Find(const std::wstring& code) {
    for (int language = 0; language < Count(); ++language) {
        if (code == std::wstring(Code(language), Code(language) + std::char_traits<char>::length(Code(language)))) {
            return language;
        }
    }
    return -1;
}

int Language::OfSetting(const std::wstring& code) {
    int language = code.empty() ? -1 : Find(code);
    return language >= 0 ? language : OfSystem();
}

void Language::Choose(int language) {
    if (language >= 0 && language < Count()) current = language;
}

int Language::Current() { return current; }

std::wstring Language::Text(TextId id) { return TextOf(id).forms[0]; }

std::wstring Language::Text(TextId id, int64_t count) {
    const CatalogueText& text = TextOf(id);
    int form = FormOf(kCatalogueLanguages[current.load()].pluralRule, count);
    while (form > 0 && text.forms[form] == nullptr) --form;
    return text.forms[form];
}

int Language::PluralPlace(TextId id) { return TextOf(id).pluralPlace; }

int Language::FormOf(PluralRule rule, int64_t count) {
    uint64_t n = count < 0 ? 0 - static_cast<uint64_t>(count) : static_cast<uint64_t>(count);
    switch (rule) {
    case PluralRule::kOneOther: return n == 1 ? 0 : 1;
    case PluralRule::kZeroOneOther: return n <= 1 ? 0 : 1;
    case PluralRule::kEastSlavic:
        if (n % 10 == 1 && n % 100 != 11) return 0;
        if (n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 10 || n % 100 >= 20)) return 1;
        return 2;
    }
    return 0;
}

std::wstring Language::Fill(const std::wstring& text, const std::vector<std::wstring>& values) {
    std::wstring filled;
    for (size_t i = 0; i < text.size(); ++i) {
        bool isPlace = i + 2 < text.size() && text[i] == L'{' && text[i + 1] >= L'1' && text[i + 1] <= L'9' &&
                       text[i + 2] == L'}';
        size_t place = isPlace ? static_cast<size_t>(text[i + 1] - L'0') : 0;
        if (place == 0 || place > values.size()) {
            filled += text[i];
            continue;
        }
        filled += values[place - 1];
        i += 2;
    }
    return filled;
}

std::wstring Language::Say(TextId id, const std::vector<std::wstring>& values) { return Fill(Text(id), values); }
