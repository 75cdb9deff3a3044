// Tests of the compiled catalogues: every language whole, its placeholders the English's,
// the plural rules, reordered values and the choice of a language by its code.
#include "languages/Language.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

std::set<std::wstring> PlaceholdersOf(const std::wstring& text) {
    std::set<std::wstring> places;
    for (size_t i = 0; i + 2 < text.size(); ++i) {
        if (text[i] == L'{' && text[i + 1] >= L'1' && text[i + 1] <= L'9' && text[i + 2] == L'}') {
            places.insert(text.substr(i, 3));
        }
    }
    return places;
}

// Keeps the language chosen by a test to that test.
class LanguageTest : public testing::Test {
protected:
    void TearDown() override { Language::Choose(Language::kEnglish); }
};

// Every language has a text for every identifier, in every form its English has, with
// the English's placeholders, and a name of its own; the pseudo-language is not offered.
TEST_F(LanguageTest, EveryCatalogueIsWholeWithTheEnglishPlaceholders) {
    ASSERT_EQ(std::string("en"), Language::Code(Language::kEnglish));
    ASSERT_EQ(Language::Count() - 1, Language::OfferedCount());
    EXPECT_EQ(Language::Count() - 1, Language::Find(L"qps-ploc"));
    for (int language = 0; language < Language::Count(); ++language) {
        const CatalogueLanguage& catalogue = kCatalogueLanguages[language];
        SCOPED_TRACE(catalogue.code);
        EXPECT_NE(std::wstring(), catalogue.ownName);
        EXPECT_EQ(language, Language::Find(std::wstring(catalogue.code, catalogue.code + strlen(catalogue.code))));
        for (int id = 0; id < static_cast<int>(TextId::kCount); ++id) {
            const CatalogueText& english = kCatalogueLanguages[Language::kEnglish].texts[id];
            const CatalogueText& text = catalogue.texts[id];
            SCOPED_TRACE(id);
            ASSERT_NE(nullptr, text.forms[0]);
            EXPECT_EQ(english.pluralPlace, text.pluralPlace);
            if (english.pluralPlace > 0) {
                ASSERT_NE(nullptr, text.forms[1]);
            }
            std::set<std::wstring> places = PlaceholdersOf(english.forms[0]);
            for (const wchar_t* form : text.forms) {
                if (form != nullptr) {
                    EXPECT_EQ(places, PlaceholdersOf(form)) << form;
                }
            }
        }
    }
}

// Russian has three forms: one (1, 21, 101), a few (2-4, 22-24) and many (0, 5-20,
// 11-14); French counts 0 with 1, English does not.
TEST_F(LanguageTest, PluralRules) {
    const int russian[][2] = {{0, 2}, {1, 0}, {2, 1}, {5, 2}, {11, 2}, {12, 2}, {21, 0}, {22, 1}, {101, 0}, {111, 2}};
    for (const auto& [count, form] : russian) EXPECT_EQ(form, Language::FormOf(PluralRule::kEastSlavic, count)) << count;
    EXPECT_EQ(1, Language::FormOf(PluralRule::kOneOther, 0));
    EXPECT_EQ(0, Language::FormOf(PluralRule::kOneOther, 1));
    EXPECT_EQ(0, Language::FormOf(PluralRule::kZeroOneOther, 0));
    EXPECT_EQ(1, Language::FormOf(PluralRule::kZeroOneOther, 2));
}

// The Russian catalogue's three forms of a counted sentence come out for each count.
TEST_F(LanguageTest, RussianCountsChooseTheirForm) {
    int russian = Language::Find(L"ru");
    if (russian < 0) GTEST_SKIP() << "this build has no Russian catalogue";
    Language::Choose(russian);
    const CatalogueText& text = kCatalogueLanguages[russian].texts[static_cast<int>(TextId::kCellsLeft)];
    const int expected[][2] = {{0, 2}, {1, 0}, {2, 1}, {5, 2}, {11, 2}, {21, 0}, {101, 0}};
    for (const auto& [count, form] : expected) {
        EXPECT_EQ(text.forms[form], Language::Text(TextId::kCellsLeft, count)) << count;
    }
    EXPECT_NE(std::wstring(text.forms[0]), text.forms[1]);
    EXPECT_NE(std::wstring(text.forms[1]), text.forms[2]);
}

// A translation may put the values in another order; a place without a value stays.
TEST_F(LanguageTest, ValuesGoWhereTheTextPutsThem) {
    EXPECT_EQ(L"column 5, row 3, again 3", Language::Fill(L"column {2}, row {1}, again {1}", {L"3", L"5"}));
    EXPECT_EQ(L"{3} and {x}", Language::Fill(L"{3} and {x}", {L"a"}));
    EXPECT_EQ(L"Level: Hard (4.5).", Language::Say(TextId::kCheckLevel, {L"Hard", L"4.5"}));
}

// A setting names a language by its code; an unknown code or none follows the system.
TEST_F(LanguageTest, TheSettingChoosesOrFollowsTheSystem) {
    EXPECT_EQ(Language::Count() - 1, Language::OfSetting(L"qps-ploc"));
    EXPECT_EQ(Language::OfSystem(), Language::OfSetting(L""));
    EXPECT_EQ(Language::OfSystem(), Language::OfSetting(L"tlh"));
    Language::Choose(Language::Find(L"qps-ploc"));
    EXPECT_NE(L"Level: Hard (4.5).", Language::Say(TextId::kCheckLevel, {L"Hard", L"4.5"}));
    Language::Choose(-1);  // no such language: the choice stays
    EXPECT_EQ(Language::Count() - 1, Language::Current());
}

}  // namespace
