// UserProxy: the proxy that the current user's settings choose for each URL.
#pragma once

#include "ProxyRules.h"

#include "common/net/http/ProxyServer.h"

#include <functional>
#include <string>

namespace net {
namespace proxy {

// Follows the user's proxy settings as Windows' own programs do: automatic detection
// (WPAD) and a configuration script are asked first, through the platform's proxy
// finder; when neither is set, or the finder fails or does not answer within the
// lookup bound, the fixed proxy and its bypass list; without one, straight to the
// server. The finder runs on a thread of its own (CallWithin), so a slow network or
// script never holds the caller past the bound; after one failure it is not asked
// again for the object's life. Windows reads the settings with WinHTTP
// (UserProxy_win32.cpp, winhttp.dll loaded from the system folder); other systems have
// none, and every request goes direct (UserProxy_posix.cpp).
class UserProxy {
public:
    // What the user has set.
    struct Settings {
        bool autoDetect = false;
        std::wstring configScript;  // the configuration script's URL; empty for none
        std::wstring proxy;         // the fixed proxy list (ProxyList::FromSetting)
        std::wstring bypass;        // its bypass list (ProxyBypass)
    };
    // The finder's answer for one URL: direct, or a proxy list in its form
    // (ProxyList::FromFinder) with a bypass list.
    struct Found {
        bool direct = true;
        std::wstring proxy;
        std::wstring bypass;
    };
    // Asks the finder about url (absolute); false when it fails. It may be left running
    // after its bound, so it must refer only to what it holds itself.
    using Finder = std::function<bool(const std::wstring& url, Found& found)>;

    // Reads the current user's settings now; lookupMilliseconds bounds each question to
    // the finder.
    explicit UserProxy(int lookupMilliseconds);
    // The given settings; finder is asked when they set automatic detection or a
    // script (empty: the platform's finder).
    UserProxy(const Settings& settings, Finder finder, int lookupMilliseconds);

    // The proxy for url (absolute), or direct. Never raises.
    http::ProxyServer Choose(const wchar_t* url);
    // Choose as an HttpClient's proxy chooser; the object must outlive the client's
    // requests.
    http::ProxyChooser Chooser() {
        return [this](const wchar_t* url) { return Choose(url); };
    }

private:
    // The platform's seam: the current user's settings (none when they cannot be read),
    // and a finder for them (empty when there is none to ask) that gives up its own
    // network waits after about milliseconds.
    static Settings ReadSettings();
    static Finder MakeFinder(const Settings& settings, int milliseconds);

    ProxyRules fixed_;
    Finder finder_;
    int lookupMilliseconds_;
};

}  // namespace proxy
}  // namespace net
