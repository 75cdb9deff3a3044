// DateText: a day of the calendar in the words of the language the program speaks.
#pragma once

#include "common/String.h"

#include <cstdint>

namespace util {

// The UTC day of a time, named for the user: in English in the program's own form
// ("23 December 2026"), in any other language as that language's locale writes a date
// in full (through the platform: DateText_win32.cpp, DateText_posix.cpp), and where
// the platform cannot, in the form every language reads, "2026-12-23".
class DateText {
public:
    // The UTC day of seconds since 1970; exact for any time, however far ahead.
    explicit DateText(int64_t seconds);
    // A day given by its parts (month 1 for January), such as the local day of a clock.
    DateText(int64_t year, int month, int day) : year_(year), month_(month), day_(day) {}

    // In the language chosen now (Language::Current).
    String InCurrentLanguage() const;
    // "23 December 2026".
    String InEnglish() const;
    // As the locale of language (a catalogue's code, "de") writes a date in full, in the
    // user's own variant of it ("de-AT") when the user's locale speaks that language;
    // the ISO form where the platform has no such locale or cannot name the day.
    String InLocale(const char* language) const;
    // "2026-12-23".
    String InIso() const;

private:
    // The platform's long date of the day in language's locale; empty when it has none.
    String LocaleText(const char* language) const;

    int64_t year_;
    int month_;  // 1 for January
    int day_;
};

}  // namespace util
