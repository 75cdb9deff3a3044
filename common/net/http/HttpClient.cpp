// HttpClient: fetches a URL with HTTP/1.1 GET, following redirects and keeping a cookie.
#include "HttpClient.h"

#include "EqualsIgnoringCase.h"

#include "common/CatalogueText.h"
#include "common/Exception.h"
#include "common/io/FileOutputStream.h"
#include "common/net/ControlCharacter.h"
#include "common/net/URL.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <exception>
#include <memory>
#include <string>

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
    failure_.Set(L"");
    bool result = Request(url, request, response, status, 0);
    if (result) failure_.Set(L"");
    return result;
}

bool HttpClient::Request(const wchar_t* url, HttpRequest& request, HttpResponse& response,
                         uint32_t& status, int redirects) {
    bool result = false;
    try {
        failure_ = CatalogueText(TextId::kNetAddressUnusable, {url});
        URL target;
        target.Set(url);
        target.Replace(L" ", L"+");  // the url itself, blanks and all, is the Referer
        String host(target.getHost());
        int port = target.getPort();
        bool secure = target.IsSecure();
        String path(target.getPath());
        ProxyServer proxy = chooseProxy_ ? chooseProxy_(target.GetText()) : ProxyServer();

        String line;
        // A proxy takes an http request in the absolute form; an https one goes through
        // its tunnel as it would go to the server.
        request.SetFirstLine(proxy.IsDirect() || secure ? line.Format(L"GET %s HTTP/1.1", path)
                                                        : line.Format(L"GET %s HTTP/1.1", target.GetText()));
        String hostHeader;
        request.SetHeader(L"Host", port == (secure ? 443 : 80) ? hostHeader.Format(L"%s", host)
                                                               : hostHeader.Format(L"%s:%i", host, port));
        request.SetHeader(L"User-Agent", userAgent_.GetText());
        request.SetHeader(L"Accept", L"*/*");
        request.SetHeader(L"Accept-Encoding", L"identity");
        // The cookie goes only to the host that set it; a request made before, to
        // another host, may have left one in the request.
        if (!cookie_.IsEmpty() && EqualsIgnoringCase(cookieHost_.GetText(), host.GetText())) {
            request.SetHeader(L"Cookie", cookie_.GetText());
        } else {
            request.RemoveHeader(L"Cookie");
        }
        request.SetHeader(L"Referer", url);
        request.SetHeader(L"Connection", L"Close");

        // Who answers, for the failures: the server, or the server through the proxy,
        // which may have answered in its place.
        String peer;
        if (proxy.IsDirect()) {
            SetHost(host.GetText());
            SetPort(port);
            failure_ = CatalogueText(TextId::kNetNoConnection, {host.GetText(), std::to_wstring(port)});
            peer.Set(host.GetText());
        } else {
            SetHost(proxy.host.c_str());
            SetPort(proxy.port);
            failure_ = CatalogueText(TextId::kNetNoProxyConnection, {proxy.Name()});
            peer = CatalogueText(TextId::kNetThroughProxy, {host.GetText(), proxy.Name()});
        }
        Connect(limits_.deadline);
        std::unique_ptr<TlsSession> tls;
        if (secure) {
            if (!proxy.IsDirect()) OpenTunnel(proxy, host, port);
            tls = std::make_unique<TlsSession>(*this, host.GetText());
            try {
                tls->Handshake(limits_.deadline, limits_.stallMilliseconds);
            } catch (Exception* e) {
                failure_ = CatalogueText(TextId::kNetNoSecureConnection, {host.GetText(), e->GetMessageText()});
                throw;
            }
        }
        failure_ = CatalogueText(TextId::kNetIncompleteAnswer, {peer.GetText()});
        request.Serialize();
        SendAll(request, tls.get());
        if (sizeLimit_ > 0) response.SetSizeLimit(sizeLimit_);
        if (tls) {
            response.ReadFrom([&tls](char* buffer, int wait) { return tls->Receive(buffer, wait); }, limits_);
        } else {
            response.Read(*this, limits_);
        }

        status = response.GetStatusCode();
        const wchar_t* setCookie = response.GetHeader(L"Set-Cookie");
        // A value with a control character is dropped: it would go back inside a header.
        if (setCookie != nullptr && std::none_of(setCookie, setCookie + std::wcslen(setCookie), IsControlCharacter)) {
            cookie_.Set(setCookie);
            cookieHost_.Set(host.GetText());
        }

        if (status == 200) {
            result = true;
        } else if (status == 301 || status == 302) {
            failure_ = CatalogueText(TextId::kNetStatus, {peer.GetText(), std::to_wstring(status)});
            result = Redirect(url, path, request, response, status, redirects);
        } else if (status == 407 && !proxy.IsDirect()) {
            failure_ = CatalogueText(TextId::kNetProxyCredentials, {proxy.Name()});
        } else {
            failure_ = CatalogueText(TextId::kNetStatus, {peer.GetText(), std::to_wstring(status)});
        }
        Close();
    } catch (Exception* e) {
        // The request failed. Its socket goes with it, so that the next request starts
        // on a new one. failure_ says why.
        delete e;
        CloseQuietly();
    } catch (const std::exception&) {
        // Memory ran out (std::bad_alloc) or the listener failed: the same, as no
        // answer from outside may end the program.
        CloseQuietly();
    }
    return result;
}

void HttpClient::SendAll(HttpRequest& request, TlsSession* tls) {
    const char* data = request.GetRaw().GetBuffer();
    int count = request.GetRaw().GetSize();
    if (tls != nullptr) {
        tls->Send(data, count);
    } else if (Send(data, count) != count) {
        throw new Exception(L"HttpClient::SendAll() - the request could not be sent");
    }
}

void HttpClient::OpenTunnel(const ProxyServer& proxy, const String& host, int port) {
    failure_ = CatalogueText(TextId::kNetNoTunnel, {proxy.Name(), host.GetText(), std::to_wstring(port)});
    String text;
    text.Format(L"CONNECT %s:%d HTTP/1.1\r\nHost: %s:%d\r\nUser-Agent: %s\r\n\r\n", host, port, host, port,
                userAgent_);
    const char* bytes = text.ToUtf8();
    int count = static_cast<int>(std::strlen(bytes));
    if (Send(bytes, count) != count) throw new Exception(L"HttpClient::OpenTunnel() - the request could not be sent");
    // The answer ends with its header block: a tunnel's answer has no body, and what
    // follows is the server's.
    HttpResponse answer;
    answer.ReadHeaderBlock(*this, limits_);
    uint32_t status = answer.GetStatusCode();
    if (status == 407) {
        failure_ = CatalogueText(TextId::kNetProxyCredentials, {proxy.Name()});
    } else if (status / 100 != 2) {
        failure_ = CatalogueText(TextId::kNetTunnelRefused,
                                 {proxy.Name(), host.GetText(), std::to_wstring(port), std::to_wstring(status)});
    }
    if (status / 100 != 2) throw new Exception(L"HttpClient::OpenTunnel() - refused");
}

bool HttpClient::Redirect(const wchar_t* url, const String& path, HttpRequest& request,
                          HttpResponse& response, uint32_t& status, int redirects) {
    const wchar_t* location = response.GetHeader(L"Location");
    if (location == nullptr) return false;
    if (redirects >= kMaxRedirects) {
        failure_ = CatalogueText(TextId::kNetTooManyRedirects, {url});
        return false;
    }
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
    URL from;
    from.Set(url);
    URL to;
    to.Set(next.GetText());
    if (from.IsSecure() && !to.IsSecure()) {
        failure_ = CatalogueText(TextId::kNetInsecureRedirect, {next.GetText()});
        return false;
    }
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
