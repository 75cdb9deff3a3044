// ProxyBypass: the hosts that a proxy setting sends straight to their server.
#include "ProxyBypass.h"

#include "ProxyText.h"

#include <cwctype>

namespace net {
namespace proxy {

namespace {

// Whether text matches pattern, whose '*' stands for any run of characters, letters
// compared without regard to case. Each '*' is tried at the nearest place first and
// moved on only when the rest fails, so the work stays within pattern times text.
bool MatchesPattern(const std::wstring& pattern, const std::wstring& text) {
    size_t p = 0, t = 0;
    size_t star = std::wstring::npos, resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = t;
        } else if (p < pattern.size() && std::towlower(pattern[p]) == std::towlower(text[t])) {
            ++p;
            ++t;
        } else if (star != std::wstring::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

bool IsLoopback(const std::wstring& host) {
    if (EqualsIgnoringCase(host, L"localhost") || host == L"[::1]") return true;
    return host.compare(0, 4, L"127.") == 0 && host.find_first_not_of(L"0123456789.") == std::wstring::npos;
}

}  // namespace

ProxyBypass::ProxyBypass(const wchar_t* list) {
    for (std::wstring& entry : SplitProxyText(list, L"; \t")) {
        if (EqualsIgnoringCase(entry, L"<local>")) {
            local_ = true;
        } else {
            patterns_.push_back(entry);
        }
    }
}

bool ProxyBypass::Bypasses(const std::wstring& host, int port) const {
    if (local_ && (IsLoopback(host) || (host.find(L'.') == std::wstring::npos && host.compare(0, 1, L"[") != 0))) {
        return true;
    }
    std::wstring hostAndPort = host + L":" + std::to_wstring(port);
    for (const std::wstring& pattern : patterns_) {
        if (MatchesPattern(pattern, host) || MatchesPattern(pattern, hostAndPort)) return true;
    }
    return false;
}

}  // namespace proxy
}  // namespace net
