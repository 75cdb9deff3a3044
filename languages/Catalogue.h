// Catalogue: the compiled catalogues, as tables (made at build time from the .po files).
#pragma once

// How a language chooses a text's form by a count.
enum class PluralRule {
    kOneOther,      // 1 | everything else (English, German, Spanish)
    kZeroOneOther,  // 0 and 1 | everything else (French)
    kEastSlavic,    // 1, 21, 31 ... | 2-4, 22-24 ... | everything else (Russian)
};

// A text in one language: its forms (the first without a plural; the rest nullptr) and
// which value (1-based) decides the form, 0 for none.
struct CatalogueText {
    const wchar_t* forms[3];
    int pluralPlace;
};

// A language: its code ("de"), its name in its own words ("Deutsch"), its plural rule and
// its texts, indexed by TextId.
struct CatalogueLanguage {
    const char* code;
    const wchar_t* ownName;
    PluralRule pluralRule;
    const CatalogueText* texts;
};

extern const CatalogueLanguage kCatalogueLanguages[];
extern const int kCatalogueLanguageCount;
