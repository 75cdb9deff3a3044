// URL: the host, port and path of an absolute "http://" or "https://" URL.
#include "URL.h"

#include "ControlCharacter.h"
#include "DecimalText.h"

#include "common/Exception.h"

#include <cwchar>
#include <string>

namespace net {

struct URL::Parts {
    std::wstring text;
    size_t scheme = std::wstring::npos;  // index of "://"
    size_t start = 0;                    // first character of the host
    size_t colon = std::wstring::npos;
    size_t slash = std::wstring::npos;
    size_t hostEnd = 0;
    bool portInHost = false;  // the colon ends the host
};

namespace {

// Whether the text begins with the scheme (lower-case, with its "://"), in any case.
bool HasScheme(const std::wstring& text, size_t start, const wchar_t* scheme) {
    size_t length = std::wcslen(scheme);
    if (start != length) return false;
    for (size_t i = 0; i < length; ++i) {
        wchar_t c = text[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != scheme[i]) return false;
    }
    return true;
}

}  // namespace

void URL::Set(const wchar_t* text) {
    for (int i = 0; text != nullptr && text[i] != 0; ++i) {
        wchar_t c = text[i];
        if (IsControlCharacter(c)) {
            throw new Exception(L"URL::Set()\nThe URL holds the control character 0x%02X at %d.",
                                static_cast<int>(c), i);
        }
    }
    text_.Set(text);
}

URL::Parts URL::Split() const {
    Parts parts;
    parts.text = text_.IsEmpty() ? L"" : text_.GetText();
    parts.scheme = parts.text.find(L"://");
    if (parts.scheme == std::wstring::npos) return parts;
    parts.start = parts.scheme + 3;
    parts.slash = parts.text.find(L'/', parts.start);
    // The colons of an IPv6 literal ("[::1]") are not the port's.
    size_t portSearch = parts.start;
    if (parts.text.compare(parts.start, 1, L"[") == 0) {
        size_t close = parts.text.find(L']', parts.start);
        if (close != std::wstring::npos && close < parts.slash) portSearch = close + 1;
    }
    parts.colon = parts.text.find(L':', portSearch);
    parts.portInHost = parts.colon != std::wstring::npos &&
                       (parts.slash == std::wstring::npos || parts.colon < parts.slash);
    parts.hostEnd = parts.portInHost                    ? parts.colon
                    : parts.slash != std::wstring::npos ? parts.slash
                                                        : parts.text.size();
    return parts;
}

const wchar_t* URL::getHost() {
    Parts parts = Split();
    if (parts.scheme == std::wstring::npos) {
        throw new Exception(L"host part could not be extracted from %s", text_);
    }
    host_.Set(parts.text.substr(parts.start, parts.hostEnd - parts.start).c_str());
    return host_.GetText() ? host_.GetText() : L"";
}

const wchar_t* URL::getPath() {
    Parts parts = Split();
    bool hasPath = parts.scheme != std::wstring::npos && parts.slash != std::wstring::npos;
    path_.Set(hasPath ? parts.text.substr(parts.slash).c_str() : L"/");
    return path_.GetText();
}

int URL::getPort() const {
    Parts parts = Split();
    if (parts.portInHost) {
        size_t end = parts.slash == std::wstring::npos ? parts.text.size() : parts.slash;
        return ReadDecimal(parts.text.substr(parts.colon + 1, end - parts.colon - 1).c_str());
    }
    if (parts.colon != std::wstring::npos) return IsSecure() ? 443 : 80;  // the colon is in the path
    if (HasScheme(parts.text, parts.start, L"http://")) return 80;
    if (HasScheme(parts.text, parts.start, L"https://")) return 443;
    throw new Exception(L"URL::getPort() for \"%s\" returned -1", text_);
}

bool URL::IsSecure() const {
    Parts parts = Split();
    return parts.scheme != std::wstring::npos && HasScheme(parts.text, parts.start, L"https://");
}

}  // namespace net
