// ProxyServer: the proxy that a request goes through, or none.
#pragma once

#include <functional>
#include <string>

namespace net {
namespace http {

// A proxy's host (a name, an IPv4 address or an IPv6 literal in brackets) and port; an
// empty host stands for no proxy: the request goes straight to its server.
struct ProxyServer {
    std::wstring host;
    int port = 0;

    bool IsDirect() const { return host.empty(); }
    // "host:port", as the user's settings name it.
    std::wstring Name() const { return host + L":" + std::to_wstring(port); }
};

// Chooses the proxy for an absolute URL; asked again for every redirect's target.
using ProxyChooser = std::function<ProxyServer(const wchar_t* url)>;

}  // namespace http
}  // namespace net
