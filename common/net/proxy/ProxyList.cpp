// ProxyList: the proxies that a proxy setting or the platform's proxy finder names, by scheme.
#include "ProxyList.h"

#include "ProxyText.h"

namespace net {
namespace proxy {

namespace {

bool IsHostCharacter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'-' || c == L'.' ||
           c == L'_';
}

bool IsIPv6Character(wchar_t c) {
    return (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F') || (c >= L'0' && c <= L'9') || c == L':' || c == L'.';
}

// "host[:port]" (a trailing '/' allowed, as users type it): true with the server, or
// false when it is malformed.
bool ReadServer(std::wstring text, http::ProxyServer& server) {
    if (!text.empty() && text.back() == L'/') text.pop_back();
    size_t hostEnd;
    if (!text.empty() && text[0] == L'[') {
        hostEnd = text.find(L']');
        if (hostEnd == std::wstring::npos || hostEnd < 2) return false;
        for (size_t i = 1; i < hostEnd; ++i) {
            if (!IsIPv6Character(text[i])) return false;
        }
        ++hostEnd;
    } else {
        hostEnd = text.find(L':');
        if (hostEnd == std::wstring::npos) hostEnd = text.size();
        for (size_t i = 0; i < hostEnd; ++i) {
            if (!IsHostCharacter(text[i])) return false;
        }
    }
    if (hostEnd == 0) return false;
    int port = 80;
    if (hostEnd < text.size()) {
        if (text[hostEnd] != L':') return false;
        std::wstring digits = text.substr(hostEnd + 1);
        if (!digits.empty()) {
            if (digits.size() > 5 || digits.find_first_not_of(L"0123456789") != std::wstring::npos) return false;
            port = std::stoi(digits);
            if (port < 1 || port > 65535) return false;
        }
    }
    server.host = text.substr(0, hostEnd);
    server.port = port;
    return true;
}

}  // namespace

ProxyList ProxyList::FromSetting(const wchar_t* text) {
    ProxyList list;
    for (const std::wstring& entry : SplitProxyText(text, L"; \t")) list.AddEntry(entry);
    return list;
}

ProxyList ProxyList::FromFinder(const wchar_t* text) {
    ProxyList list;
    for (const std::wstring& entry : SplitProxyText(text, L";")) {
        std::vector<std::wstring> words = SplitProxyText(entry.c_str(), L" \t");
        if (words.empty()) continue;
        const std::wstring& keyword = words[0];
        if (EqualsIgnoringCase(keyword, L"DIRECT")) {
            list.entries_.push_back(Entry());
        } else if (EqualsIgnoringCase(keyword, L"PROXY") || EqualsIgnoringCase(keyword, L"HTTP")) {
            if (words.size() > 1) list.AddEntry(words[1]);
        } else if (!EqualsIgnoringCase(keyword, L"HTTPS") && !StartsWithIgnoringCase(keyword, L"SOCKS")) {
            for (const std::wstring& word : words) list.AddEntry(word);
        }
    }
    return list;
}

void ProxyList::AddEntry(const std::wstring& entry) {
    Entry added;
    std::wstring server = entry;
    size_t equals = server.find(L'=');
    if (equals != std::wstring::npos) {
        added.scheme = server.substr(0, equals);
        if (!EqualsIgnoringCase(added.scheme, L"http") && !EqualsIgnoringCase(added.scheme, L"https")) return;
        server.erase(0, equals + 1);
    }
    size_t schemeEnd = server.find(L"://");
    if (schemeEnd != std::wstring::npos) {
        if (!EqualsIgnoringCase(server.substr(0, schemeEnd), L"http")) return;
        server.erase(0, schemeEnd + 3);
    }
    if (ReadServer(server, added.server)) entries_.push_back(added);
}

http::ProxyServer ProxyList::For(const wchar_t* scheme) const {
    for (const Entry& entry : entries_) {
        if (entry.scheme.empty() || EqualsIgnoringCase(entry.scheme, scheme)) return entry.server;
    }
    return http::ProxyServer();
}

}  // namespace proxy
}  // namespace net
