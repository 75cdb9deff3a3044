// UserProxy: the current user's proxy settings and the proxy finder, through WinHTTP.
#include "UserProxy.h"

#include "common/Exception.h"
#include "common/util/SystemLibrary.h"

#include <windows.h>

#include <winhttp.h>

#include <exception>

namespace net {
namespace proxy {

namespace {

// The functions of winhttp.dll used here, found once. winhttp.dll is not among the DLLs
// Windows always takes from its own folder, so it is loaded from there by hand
// (SystemLibrary), never imported. The library stays loaded for the process, so a
// finder left running past its bound keeps valid functions.
struct WinHttp {
    util::SystemLibrary library{L"winhttp.dll"};
    decltype(&WinHttpGetIEProxyConfigForCurrentUser) getUserConfig =
        library.Find<decltype(WinHttpGetIEProxyConfigForCurrentUser)>("WinHttpGetIEProxyConfigForCurrentUser");
    decltype(&WinHttpOpen) open = library.Find<decltype(WinHttpOpen)>("WinHttpOpen");
    decltype(&WinHttpSetTimeouts) setTimeouts = library.Find<decltype(WinHttpSetTimeouts)>("WinHttpSetTimeouts");
    decltype(&WinHttpGetProxyForUrl) getProxyForUrl =
        library.Find<decltype(WinHttpGetProxyForUrl)>("WinHttpGetProxyForUrl");
    decltype(&WinHttpCloseHandle) closeHandle = library.Find<decltype(WinHttpCloseHandle)>("WinHttpCloseHandle");
};

// Raises on first use when winhttp.dll or one of its functions is missing; a later call
// tries again. Made once and never freed, so that a finder thread still running when
// the program ends never meets it destroyed.
const WinHttp& GetWinHttp() {
    static const WinHttp* winHttp = new WinHttp();
    return *winHttp;
}

// The text WinHTTP handed over (GlobalAlloc'd), which is freed; empty for null.
std::wstring Take(wchar_t* text) {
    if (text == nullptr) return std::wstring();
    std::wstring taken(text);
    GlobalFree(text);
    return taken;
}

}  // namespace

UserProxy::Settings UserProxy::ReadSettings() {
    Settings settings;
    try {
        WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config = {};
        if (!GetWinHttp().getUserConfig(&config)) return settings;
        settings.autoDetect = config.fAutoDetect != FALSE;
        settings.configScript = Take(config.lpszAutoConfigUrl);
        settings.proxy = Take(config.lpszProxy);
        settings.bypass = Take(config.lpszProxyBypass);
    } catch (Exception* e) {
        delete e;  // no WinHTTP: no settings, straight to the server
    }
    return settings;
}

UserProxy::Finder UserProxy::MakeFinder(const Settings& settings, int milliseconds) {
    return [settings, milliseconds](const std::wstring& url, Found& found) {
        try {
            const WinHttp& winHttp = GetWinHttp();
            HINTERNET session =
                winHttp.open(nullptr, WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
            if (session == nullptr) return false;
            // Fetching the script is bounded as well, so that a finder given up on ends
            // soon.
            winHttp.setTimeouts(session, milliseconds, milliseconds, milliseconds, milliseconds);
            WINHTTP_AUTOPROXY_OPTIONS options = {};
            if (settings.autoDetect) {
                options.dwFlags |= WINHTTP_AUTOPROXY_AUTO_DETECT;
                options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
            }
            if (!settings.configScript.empty()) {
                options.dwFlags |= WINHTTP_AUTOPROXY_CONFIG_URL;
                options.lpszAutoConfigUrl = settings.configScript.c_str();
            }
            WINHTTP_PROXY_INFO info = {};
            BOOL ok = winHttp.getProxyForUrl(session, url.c_str(), &options, &info);
            // A script server that asks who the user is gets the user's logon, as the
            // finder's documentation advises, on a second try only.
            if (!ok && GetLastError() == ERROR_WINHTTP_LOGIN_FAILURE) {
                options.fAutoLogonIfChallenged = TRUE;
                ok = winHttp.getProxyForUrl(session, url.c_str(), &options, &info);
            }
            winHttp.closeHandle(session);
            if (!ok) return false;
            found.direct = info.dwAccessType != WINHTTP_ACCESS_TYPE_NAMED_PROXY;
            found.proxy = Take(info.lpszProxy);
            found.bypass = Take(info.lpszProxyBypass);
            return true;
        } catch (Exception* e) {
            delete e;  // no WinHTTP
        } catch (const std::exception&) {
            // Out of memory for the answer's text.
        }
        return false;
    };
}

}  // namespace proxy
}  // namespace net
