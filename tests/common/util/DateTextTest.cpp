// Tests of DateText: a day named in the program's English and in other languages' locales.
#include "common/util/DateText.h"

#include <gtest/gtest.h>

#include <string>

using util::DateText;

namespace {

const int64_t kDecember23Of2026 = 1797984000 + 86399;  // its last second, UTC

std::wstring Text(const String& text) { return text.GetLength() > 0 ? text.GetText() : L""; }

// Another language's date is its locale's long date under Windows, whose month names
// the catalogues do not hold; the host knows no locale's dates and writes the ISO form.
// So does Windows for a language it has no locale of, and for a day a SYSTEMTIME cannot
// hold (before 1601).
TEST(DateTextTest, AnotherLanguageNamesTheDayAsItsLocaleDoes) {
    std::wstring german = Text(DateText(kDecember23Of2026).InLocale("de"));
#ifdef _WIN32
    EXPECT_NE(std::wstring::npos, german.find(L"23")) << german;
    EXPECT_NE(std::wstring::npos, german.find(L"Dezember 2026")) << german;
    EXPECT_NE(std::wstring::npos, Text(DateText(kDecember23Of2026).InLocale("ru")).find(L"декабря"));
#else
    EXPECT_EQ(L"2026-12-23", german);
#endif
    EXPECT_EQ(L"2026-12-23", Text(DateText(kDecember23Of2026).InLocale("zz-unknown")));
    EXPECT_EQ(L"1589-06-01", Text(DateText(-12010118400).InLocale("de")));
    EXPECT_EQ(L"23 December 2026", Text(DateText(kDecember23Of2026).InEnglish()));
}

}  // namespace
