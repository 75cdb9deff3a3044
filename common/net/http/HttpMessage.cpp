// HttpMessage: what HTTP/1.1 requests and responses share.
#include "HttpMessage.h"

#include "EqualsIgnoringCase.h"

namespace net {
namespace http {

void HttpMessage::Clear() {
    raw_.Reset();
    firstLine_.Set(nullptr);
    headers_.clear();
    body_.Reset();
}

void HttpMessage::SetHeader(const wchar_t* name, const wchar_t* value) {
    headers_[name ? name : L""] = value ? value : L"";
}

void HttpMessage::RemoveHeader(const wchar_t* name) { headers_.erase(name ? name : L""); }

const wchar_t* HttpMessage::GetHeader(const wchar_t* name) const {
    auto found = headers_.find(name ? name : L"");
    return found == headers_.end() ? nullptr : found->second.c_str();
}

void HttpMessage::ParseHeaders(const wchar_t* text) {
    std::wstring block = text ? text : L"";
    std::wstring cookie;
    bool cookieSeen = false;
    bool firstLineSeen = false;
    size_t position = 0;
    for (size_t end = block.find(L"\r\n"); end != std::wstring::npos;
         end = block.find(L"\r\n", position)) {
        std::wstring line = block.substr(position, end - position);
        position = end + 2;
        if (!firstLineSeen) {
            firstLine_.Set(line.c_str());
            firstLineSeen = true;
            continue;
        }
        size_t colon = line.find(L':');
        if (colon == std::wstring::npos) continue;
        std::wstring name = line.substr(0, colon);
        std::wstring value = colon + 2 <= line.size() ? line.substr(colon + 2) : L"";
        if (EqualsIgnoringCase(name, L"Set-Cookie")) {
            cookie += cookieSeen ? L"; " + value : value;
            cookieSeen = true;
        } else {
            headers_[name] = value;
        }
    }
    if (!cookie.empty()) headers_[L"Set-Cookie"] = cookie;
}

}  // namespace http
}  // namespace net
