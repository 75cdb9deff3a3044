// EqualsIgnoringCase: header names and host names match whatever the case of their letters.
#pragma once

#include <cwctype>
#include <string>

namespace net {
namespace http {

inline bool EqualsIgnoringCase(const std::wstring& one, const std::wstring& other) {
    if (one.size() != other.size()) return false;
    for (size_t i = 0; i < one.size(); ++i) {
        if (std::towlower(one[i]) != std::towlower(other[i])) return false;
    }
    return true;
}

}  // namespace http
}  // namespace net
