// HttpClient: fetches a URL with HTTP/1.1 GET, following redirects and keeping a cookie.
#include "HttpClient.h"

#include "EqualsIgnoringCase.h"

#include "common/Exception.h"
#include "common/io/FileOutputStream.h"
#include "common/net/ControlCharacter.h"
#include "common/net/URL.h"

#include <algorithm>
#include <cwchar>
#include <exception>

namespace net {
namespace http {

HttpClient::HttpClient() : TCPClient(L"HttpClient") {
    userAgent_.Set(
        L"Mozilla/5.0 (Windows; U; Windows NT 5.1; en-US; rv:1.9.0.11) Gecko/2009060215 "
        L"Firefox/3.0.11 (.NET CLR 3.5.30729)");
    SetRecvTimeOut(5000);
}

bool HttpClient::SendCommand(const wchar_t* url, HttpRequest& request, HttpResponse& response,
                             uint32_t& status) {
    if (url == nullptr) throw new Exception(L"HttpClient::SendCommand()\nurl parameters is null");
    // One deadline for the request and every redirect it follows.
    limits_.deadline = Deadline::In(timeLimit_);
    limits_.stallMilliseconds = GetRecvTimeOut();
    return Request(url, request, response, status, 0);
}

bool HttpClient::Request(const wchar_t* url, HttpRequest& request, HttpResponse& response,
                         uint32_t& status, int redirects) {
    bool result = false;
    try {
        URL target;
        target.Set(url);
        target.Replace(L" ", L"+");  // the url itself, blanks and all, is the Referer
        SetHost(target.getHost());
        SetPort(target.getPort());
        String path(target.getPath());

        String line;
        request.SetFirstLine(line.Format(L"GET %s HTTP/1.1", path));
        String host;
        request.SetHeader(L"Host", GetPort() == 80 ? host.Format(L"%s", GetHost())
                                                   : host.Format(L"%s:%i", GetHost(), GetPort()));
        request.SetHeader(L"User-Agent", userAgent_.GetText());
        request.SetHeader(L"Accept", L"*/*");
        request.SetHeader(L"Accept-Encoding", L"identity");
        // The cookie goes only to the host that set it; a request made before, to
        // another host, may have left one in the request.
        if (!cookie_.IsEmpty() && EqualsIgnoringCase(cookieHost_.GetText(), GetHost().GetText())) {
            request.SetHeader(L"Cookie", cookie_.GetText());
        } else {
            request.RemoveHeader(L"Cookie");
        }
        request.SetHeader(L"Referer", url);
        request.SetHeader(L"Connection", L"Close");

        Connect(limits_.deadline);
        request.Serialize();
        Send(request.GetRaw().GetBuffer(), request.GetRaw().GetSize());
        if (sizeLimit_ > 0) response.SetSizeLimit(sizeLimit_);
        response.Read(*this, limits_);

        status = response.GetStatusCode();
        const wchar_t* setCookie = response.GetHeader(L"Set-Cookie");
        // A value with a control character is dropped: it would go back inside a header.
        if (setCookie != nullptr && std::none_of(setCookie, setCookie + std::wcslen(setCookie), IsControlCharacter)) {
            cookie_.Set(setCookie);
            cookieHost_.Set(GetHost().GetText());
        }

        if (status == 200) {
            result = true;
        } else if (status == 301 || status == 302) {
            result = Redirect(url, path, request, response, status, redirects);
        }
        Close();
    } catch (Exception* e) {
        // Not reported: the request failed. Its socket goes with it, so that the next
        // request starts on a new one.
        delete e;
        CloseQuietly();
    } catch (const std::exception&) {
        // Memory ran out (std::bad_alloc) or the listener failed: the same, as no
        // answer from outside may end the program.
        CloseQuietly();
    }
    return result;
}

bool HttpClient::Redirect(const wchar_t* url, const String& path, HttpRequest& request,
                          HttpResponse& response, uint32_t& status, int redirects) {
    const wchar_t* location = response.GetHeader(L"Location");
    if (location == nullptr || redirects >= kMaxRedirects) return false;
    Close();

    String base(location);
    int length = base.GetLength();
    if (length > 0 && location[length - 1] == L'/') base.SubString(base, 0, length - 1);
    String next;
    if (!base.IsEmpty() && std::wcschr(base.GetText(), L'/') != nullptr) {
        next.Format(L"%s%s", base, path);  // the Location is a base for the current path
    } else {
        String folder(url);
        folder.SubString(folder, 0, folder.FindLast(L"/") + 1);
        next.Format(L"%s%s", folder, base);
    }
    if (std::wcscmp(next.GetText(), url) == 0) return true;
    response.Clear();
    return Request(next.GetText(), request, response, status, redirects + 1);
}

bool HttpClient::Get(const wchar_t* url, io::IOutputStream* stream) {
    HttpRequest request;
    HttpResponse response;
    uint32_t status = 0;
    if (!SendCommand(url, request, response, status)) return false;
    if (status == 200 && stream != nullptr) {
        stream->Write(response.GetBody().GetBuffer(), response.GetBody().GetSize());
    }
    return true;
}

bool HttpClient::GetToFile(const wchar_t* url, const wchar_t* path) {
    io::FileOutputStream file(path);
    return Get(url, &file);
}

}  // namespace http
}  // namespace net
