// ProxyRules: a proxy list and its bypass list, which together choose the proxy for a URL.
#include "ProxyRules.h"

#include "common/Exception.h"
#include "common/net/URL.h"

namespace net {
namespace proxy {

http::ProxyServer ProxyRules::Choose(const wchar_t* url) const {
    try {
        URL target;
        target.Set(url);
        std::wstring host = target.getHost();
        if (bypass_.Bypasses(host, target.getPort())) return http::ProxyServer();
        return list_.For(target.IsSecure() ? L"https" : L"http");
    } catch (Exception* e) {
        delete e;  // no host or no port: the request itself will fail
        return http::ProxyServer();
    }
}

}  // namespace proxy
}  // namespace net
