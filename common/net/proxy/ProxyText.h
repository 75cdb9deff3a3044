// ProxyText: splitting and comparing the text of proxy settings.
#pragma once

#include "common/net/http/EqualsIgnoringCase.h"

#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace net {
namespace proxy {

using http::EqualsIgnoringCase;

// The pieces of text between any of the separators, empty ones left out; none for null.
inline std::vector<std::wstring> SplitProxyText(const wchar_t* text, const wchar_t* separators) {
    std::vector<std::wstring> pieces;
    if (text == nullptr) return pieces;
    std::wstring piece;
    for (const wchar_t* c = text;; ++c) {
        if (*c == 0 || std::wcschr(separators, *c) != nullptr) {
            if (!piece.empty()) pieces.push_back(piece);
            piece.clear();
            if (*c == 0) return pieces;
        } else {
            piece += *c;
        }
    }
}

inline bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& start) {
    return text.size() >= start.size() && EqualsIgnoringCase(text.substr(0, start.size()), start);
}

}  // namespace proxy
}  // namespace net
