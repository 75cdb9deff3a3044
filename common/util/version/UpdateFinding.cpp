// UpdateFinding: what one update check found, as an identifier and its values, and its words.
#include "UpdateFinding.h"

#include "Version.h"

namespace util {
namespace version {

namespace {

const int64_t kSecondsPerDay = 86400;

// The UTC date of seconds since 1970 as "23 December 2026": the civil calendar from
// a count of days (March-based years of 400-year eras), exact for every time a
// statement can name, however far ahead.
String DateOf(int64_t seconds) {
    static const wchar_t* const kMonths[] = {L"January",   L"February", L"March",    L"April",
                                             L"May",       L"June",     L"July",     L"August",
                                             L"September", L"October",  L"November", L"December"};
    int64_t days = seconds / kSecondsPerDay - (seconds % kSecondsPerDay < 0 ? 1 : 0) + 719468;
    int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    int64_t dayOfEra = days - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    int64_t day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    int64_t month = monthFromMarch < 10 ? monthFromMarch + 2 : monthFromMarch - 10;  // 0 for January
    int64_t year = yearOfEra + era * 400 + (month < 2 ? 1 : 0);
    String date;
    date.Format(L"%d %s %d", day, kMonths[month], year);
    return date;
}

}  // namespace

String UpdateFinding::GetSentence() const {
    String text;
    switch (kind) {
    case Kind::Offer: break;
    case Kind::UpToDate:
        text.Format(L"%s %s is up to date (the service's statement is valid until %s).", name, running, DateOf(expiry));
        break;
    case Kind::NoAnswer: text.Format(L"The update service did not answer (%s).", why); break;
    case Kind::NotAReply: text.Set(L"The update service did not answer (its answer is not an update reply)."); break;
    case Kind::UnsignedOffer:
        text.Format(
            L"%s %s has been released, but the service offered it without a valid statement; it was not "
            L"installed.",
            name, release);
        break;
    case Kind::Unsigned:
        text.Format(L"The update service's answer is not signed by the publisher of %s, so it offers no update.", name);
        break;
    case Kind::Keyless:
        text.Format(L"This copy of %s has no publisher key to check updates with, so it installs none.", name);
        break;
    case Kind::Expired:
        text.Format(L"The update service's answer is out of date, so it cannot tell whether a newer %s exists.", name);
        break;
    case Kind::Replayed:
        text.Format(L"The update service's answer is out of date: it names %s %s, but %s %s has been released.", name,
                    release, name, released);
        break;
    case Kind::OtherRelease:
        text.Format(L"The update service's answer is out of date: it offers %s %s, but %s %s has been released.", name,
                    release, name, released);
        break;
    case Kind::NothingOffered: text.Set(L"The update service offered no update."); break;
    }
    if (kind != Kind::Offer && newest.GetLength() > 0 &&
        Version(newest.GetText()).IsNewerThan(Version(running.GetText()))) {
        text.AppendFormat(L"\n\n%s %s has been released; this check could not offer it.", name, newest);
    }
    return text;
}

}  // namespace version
}  // namespace util
