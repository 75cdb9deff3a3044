// ProxyRules: a proxy list and its bypass list, which together choose the proxy for a URL.
#pragma once

#include "ProxyBypass.h"
#include "ProxyList.h"

#include "common/net/http/ProxyServer.h"

#include <utility>

namespace net {
namespace proxy {

// The proxy that a list names for a URL's scheme, unless the bypass list sends its host
// straight to its server.
class ProxyRules {
public:
    // No proxy for any URL.
    ProxyRules() = default;
    ProxyRules(ProxyList list, ProxyBypass bypass) : list_(std::move(list)), bypass_(std::move(bypass)) {}

    // url: absolute, "http://" or "https://"; direct for one that URL cannot split.
    http::ProxyServer Choose(const wchar_t* url) const;

private:
    ProxyList list_;
    ProxyBypass bypass_;
};

}  // namespace proxy
}  // namespace net
