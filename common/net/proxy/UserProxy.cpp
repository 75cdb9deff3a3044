// UserProxy: the proxy that the current user's settings choose for each URL.
#include "UserProxy.h"

#include "common/net/CallWithin.h"

#include <exception>

namespace net {
namespace proxy {

UserProxy::UserProxy(int lookupMilliseconds) : UserProxy(ReadSettings(), Finder(), lookupMilliseconds) {}

UserProxy::UserProxy(const Settings& settings, Finder finder, int lookupMilliseconds)
    : fixed_(ProxyList::FromSetting(settings.proxy.c_str()), ProxyBypass(settings.bypass.c_str())),
      finder_(settings.autoDetect || !settings.configScript.empty()
                  ? (finder ? std::move(finder) : MakeFinder(settings, lookupMilliseconds))
                  : Finder()),
      lookupMilliseconds_(lookupMilliseconds) {}

http::ProxyServer UserProxy::Choose(const wchar_t* url) {
    if (finder_ && url != nullptr) {
        Found found;
        bool answered = false;
        try {
            answered = CallWithin<Found>(
                Deadline::In(lookupMilliseconds_),
                [finder = finder_, text = std::wstring(url)](Found& answer) { return finder(text, answer); }, found);
        } catch (const std::exception&) {
            // No thread for the finder (std::system_error): as if it had failed.
        }
        if (answered) {
            if (found.direct) return http::ProxyServer();
            return ProxyRules(ProxyList::FromFinder(found.proxy.c_str()), ProxyBypass(found.bypass.c_str()))
                .Choose(url);
        }
        finder_ = Finder();  // failed or late: it would be again
    }
    return fixed_.Choose(url);
}

}  // namespace proxy
}  // namespace net
