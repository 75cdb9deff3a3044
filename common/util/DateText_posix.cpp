// DateText: a day as the locale of a language writes it; the host names no locale's dates.
#include "DateText.h"

namespace util {

// The program's locales are Windows'; a host build writes every other language's
// dates in the ISO form.
String DateText::LocaleText(const char*) const { return String(); }

}  // namespace util
