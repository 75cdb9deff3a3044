// DateText: a day of the calendar in the words of the language the program speaks.
#include "DateText.h"

#include "languages/Language.h"

namespace util {

namespace {

const int64_t kSecondsPerDay = 86400;

}  // namespace

// The civil calendar from a count of days (March-based years of 400-year eras).
DateText::DateText(int64_t seconds) {
    int64_t days = seconds / kSecondsPerDay - (seconds % kSecondsPerDay < 0 ? 1 : 0) + 719468;
    int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    int64_t dayOfEra = days - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    day_ = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    month_ = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    year_ = yearOfEra + era * 400 + (month_ <= 2 ? 1 : 0);
}

String DateText::InCurrentLanguage() const {
    int language = Language::Current();
    return language == Language::kEnglish ? InEnglish() : InLocale(Language::Code(language));
}

String DateText::InEnglish() const {
    static const wchar_t* const kMonths[] = {L"January",   L"February", L"March",    L"April",
                                             L"May",       L"June",     L"July",     L"August",
                                             L"September", L"October",  L"November", L"December"};
    String date;
    date.Format(L"%d %s %d", day_, kMonths[month_ - 1], year_);
    return date;
}

String DateText::InLocale(const char* language) const {
    String date = LocaleText(language);
    return date.GetLength() > 0 ? date : InIso();
}

String DateText::InIso() const {
    String date;
    date.Format(L"%04d-%02d-%02d", year_, month_, day_);
    return date;
}

}  // namespace util
