// HttpClient: fetches a URL with HTTP/1.1 GET, following redirects and keeping a cookie.
#pragma once

#include "HttpRequest.h"
#include "HttpResponse.h"
#include "ProxyServer.h"

#include "common/io/IOutputStream.h"
#include "common/net/TCPClient.h"
#include "common/net/TlsSession.h"

#include <cstdint>
#include <utility>

namespace net {
namespace http {

// One blocking GET at a time, each on a new connection that is closed at its end
// ("Connection: Close"): no keep-alive and no content coding. An "https://" URL is
// fetched over TLS (TlsSession: the server's chain and host name checked), and a
// redirect from https to http is refused. With a proxy chooser, a request whose URL
// it gives a proxy goes through that proxy: an http one in the absolute form, an
// https one through a CONNECT tunnel. 301 and 302 are followed by the client's own
// rule (see SendCommand), at most 10 in a row;
// the last Set-Cookie value received (unless it holds a control character) goes back
// as "Cookie" on every later request to the host that sent it, and to no other.
// The receive time-out (5 seconds unless set) applies to every socket the client
// makes and bounds looking up the host and connecting as well; each response must also
// make the minimum progress (HttpResponse's default unless set). A time limit, when
// set, bounds each request as a whole.
class HttpClient : public TCPClient {
public:
    static const int kMaxRedirects = 10;

    // Makes no socket yet: each request's Connect makes its own.
    HttpClient();

    // Sends a GET for url (absolute, "http://") with the request's first line and
    // headers set here, and reads the answer into response, which comes in empty.
    // status receives the answer's status code (HttpResponse::GetStatusCode); it is
    // left alone when no answer came. True for a 200, and for a
    // redirect that leads back to the URL just asked for; false for any other status
    // and for every failure, which is not reported further: among them a URL (or a
    // Location) that URL::Set refuses, of which nothing is sent. A 301 or 302 leads to its
    // Location with the current path and query appended ("%s%s"), or, for a Location
    // without any '/', to url up to its last '/' followed by the Location. Raises
    // only for a null url.
    bool SendCommand(const wchar_t* url, HttpRequest& request, HttpResponse& response,
                     uint32_t& status);

    // Fetches url and, for a 200, hands the whole body to the stream (if one is given)
    // in one Write. True when SendCommand is.
    bool Get(const wchar_t* url, io::IOutputStream* stream);
    // Fetches url into the file at path, which is created (or emptied) first and stays,
    // empty, when nothing comes. Raises when the file cannot be created or written.
    bool GetToFile(const wchar_t* url, const wchar_t* path);

    const String& GetCookie() const { return cookie_; }
    // Why the last SendCommand failed, a phrase for the user ("no connection to
    // host:443", "the server's certificate has expired", "the proxy proxy:8080 asks for
    // a user name and password"); through a proxy, every phrase names it ("host
    // answered with status 403 through the proxy proxy:8080"). Empty after a success.
    const String& GetFailure() const { return failure_; }

    // Every later request asks chooser which proxy to go through; an empty one (the
    // default) sends every request straight to its server.
    void SetProxyChooser(ProxyChooser chooser) { chooseProxy_ = std::move(chooser); }

    // Every later response fails when it brings fewer than bytes in some span of
    // milliseconds before it is complete.
    void SetMinimumProgress(int bytes, int milliseconds) {
        limits_.progress.bytes = bytes;
        limits_.progress.milliseconds = milliseconds;
    }
    // Every later SendCommand, Get and GetToFile fails (false) once milliseconds have
    // passed since it began, redirects included: looking up the host, connecting and
    // each receive wait at most the time left. With bytesPerSecond above 0, a
    // response's Content-Length adds length / bytesPerSecond seconds for its reading.
    // 0 milliseconds (the default) for no such limit.
    void SetTimeLimit(int milliseconds, int bytesPerSecond = 0) {
        timeLimit_ = milliseconds;
        limits_.bytesPerSecond = bytesPerSecond;
    }
    // Every later response may bring at most bytes, header block included, instead of
    // the response's own size limit (HttpResponse::SetSizeLimit); 0 (the default) keeps
    // the response's own.
    void SetSizeLimit(int bytes) { sizeLimit_ = bytes; }
    // Called while each later response is read (see ReadLimits): it may pump a window's
    // messages, and its false fails the request at once. An empty one removes it. It
    // must not use this client.
    void SetProgressListener(ProgressListener listener) { limits_.listener = std::move(listener); }

private:
    bool Request(const wchar_t* url, HttpRequest& request, HttpResponse& response, uint32_t& status,
                 int redirects);
    bool Redirect(const wchar_t* url, const String& path, HttpRequest& request,
                  HttpResponse& response, uint32_t& status, int redirects);
    // Asks the proxy to connect this socket to host:port (CONNECT) and reads its answer
    // up to the end of its header block. Raises, naming the proxy, unless it agrees.
    void OpenTunnel(const ProxyServer& proxy, const String& host, int port);
    // Sends the whole request over the socket or the session; raises when it cannot.
    void SendAll(HttpRequest& request, TlsSession* tls);

    String userAgent_;
    String failure_;
    ProxyChooser chooseProxy_;
    String cookie_;
    String cookieHost_;  // the host that set the cookie
    // The deadline and stall bound are set anew by each SendCommand.
    ReadLimits limits_;
    int timeLimit_ = 0;
    int sizeLimit_ = 0;
};

}  // namespace http
}  // namespace net
