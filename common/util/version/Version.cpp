// Version: a dotted version text as ten integer components.
#include "Version.h"

#include "common/String.h"

#include <climits>
#include <cwchar>

namespace util {
namespace version {

namespace {

int32_t LeadingNumber(const String& piece) {
    if (piece.IsEmpty()) return 0;
    // long long: long is 32 bits on Windows and 64 on the host, and both must clamp alike.
    long long value = std::wcstoll(piece.GetText(), nullptr, 10);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace

Version::Version(const wchar_t* text) : Object(L"Version") {
    String whole(text);
    std::unique_ptr<String[]> pieces;
    int count = 0;
    if (!whole.Split(L".", pieces, count)) return;
    for (int i = 0; i < count && i < kComponents; ++i) components_[i] = LeadingNumber(pieces[i]);
}

bool Version::IsVersionText(const wchar_t* text) {
    if (text == nullptr) return false;
    int numbers = 1;
    int digits = 0;
    for (const wchar_t* c = text; *c != 0; ++c) {
        if (*c == L'.' && digits > 0 && numbers < kComponents) {
            ++numbers;
            digits = 0;
        } else if (*c >= L'0' && *c <= L'9' && digits < 9) {
            ++digits;
        } else {
            return false;
        }
    }
    return digits > 0;
}

bool Version::IsNewerThan(const Version& other) const {
    for (int i = 0; i < kComponents; ++i) {
        if (components_[i] != other.components_[i]) return components_[i] > other.components_[i];
    }
    return false;
}

}  // namespace version
}  // namespace util
