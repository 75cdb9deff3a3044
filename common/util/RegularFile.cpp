// RegularFile: a file read by its name only when it is an ordinary file on a disk.
#include "RegularFile.h"

#include <cwctype>

namespace util {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// "\\?\" followed by a drive ("C:") or "UNC\": a long form of an ordinary path.
bool IsLongDiskPath(std::wstring_view rest) {
    if (rest.size() >= 2 && std::iswalpha(rest[0]) && rest[1] == L':') return true;
    return rest.size() >= 4 && std::towupper(rest[0]) == L'U' && std::towupper(rest[1]) == L'N' &&
           std::towupper(rest[2]) == L'C' && IsSeparator(rest[3]);
}

bool IsDeviceDigit(wchar_t c) { return (c >= L'0' && c <= L'9') || c == L'\u00B9' || c == L'\u00B2' || c == L'\u00B3'; }

// The stem of a last part (before its first dot or colon, without trailing blanks) is
// one of the names Windows keeps for devices.
bool IsReservedName(std::wstring_view part) {
    size_t end = part.find_first_of(L".:");
    std::wstring_view stem = part.substr(0, end);
    while (!stem.empty() && stem.back() == L' ') stem.remove_suffix(1);
    std::wstring upper;
    for (wchar_t c : stem) upper += static_cast<wchar_t>(std::towupper(c));
    if (upper == L"CON" || upper == L"PRN" || upper == L"AUX" || upper == L"NUL" || upper == L"CONIN$" ||
        upper == L"CONOUT$") {
        return true;
    }
    return upper.size() == 4 && (upper.compare(0, 3, L"COM") == 0 || upper.compare(0, 3, L"LPT") == 0) &&
           IsDeviceDigit(upper[3]);
}

}  // namespace

bool NamesDevice(std::wstring_view path) {
    if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) && IsSeparator(path[3])) {
        if (path[2] == L'.') return true;
        if (path[2] == L'?' && !IsLongDiskPath(path.substr(4))) return true;
    }
    size_t start = path.find_last_of(L"\\/");
    std::wstring_view part = path.substr(start == std::wstring_view::npos ? 0 : start + 1);
    // "C:nul" names the device as "nul" does.
    if (start == std::wstring_view::npos && part.size() >= 2 && part[1] == L':') part.remove_prefix(2);
    return IsReservedName(part);
}

}  // namespace util
