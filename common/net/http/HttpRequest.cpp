// HttpRequest: an HTTP/1.1 request and the bytes that carry it.
#include "HttpRequest.h"

#include "common/TextConversion.h"

#include <string>

namespace net {
namespace http {

void HttpRequest::Clear() {
    HttpMessage::Clear();
    parameters_.clear();
}

void HttpRequest::SetParameter(const wchar_t* name, const wchar_t* value) {
    parameters_[name ? name : L""] = value ? value : L"";
}

void HttpRequest::Serialize() {
    GetRaw().Reset();
    std::wstring text = GetFirstLine().IsEmpty() ? L"" : GetFirstLine().GetText();
    text += L"\r\n";
    std::wstring form;
    for (const auto& parameter : parameters_) {
        if (!form.empty()) form += L"&";
        form += parameter.first + L"=" + parameter.second;
    }
    std::string formBytes = WideToUtf8(form.data(), form.size());
    if (!form.empty()) {
        SetHeader(L"Content-Type", L"application/x-www-form-urlencoded");
        SetHeader(L"Content-Length", std::to_wstring(formBytes.size()).c_str());
    }
    for (const auto& header : GetHeaders()) {
        text += header.first + L": " + header.second + L"\r\n";
    }
    text += L"\r\n";
    if (!form.empty()) text += form + L"\r\n";
    std::string bytes = WideToUtf8(text.data(), text.size());
    GetRaw().Write(bytes.data(), static_cast<int>(bytes.size()));
}

}  // namespace http
}  // namespace net
