// ProxyList: the proxies that a proxy setting or the platform's proxy finder names, by scheme.
#pragma once

#include "common/net/http/ProxyServer.h"

#include <string>
#include <vector>

namespace net {
namespace proxy {

// The proxies of a list as Windows keeps it, in their order: each entry
// "[scheme=][http://]host[:port]" (a missing port is 80, an IPv6 host in brackets),
// entries separated by ';' or blanks. An entry without a scheme serves every scheme;
// "http=" and "https=" serve theirs; other schemes (socks=, ftp=) and proxies spoken to
// otherwise than in plain HTTP ("socks://", "https://") are left out, since the client
// speaks only HTTP to a proxy. Malformed entries (no host, a bad port, a character no
// host name has) are left out too, never raised.
class ProxyList {
public:
    // No proxies: every scheme goes direct.
    ProxyList() = default;

    // The user's proxy setting ("proxy:8080", "http=a:80;https=b:443"); null as empty.
    static ProxyList FromSetting(const wchar_t* text);
    // The proxy finder's answer, as a configuration script gives it: entries separated
    // by ';', each "PROXY host:port" (or "HTTP host:port"), "DIRECT", or a plain list
    // entry as above (WinHTTP's own form); "SOCKS ..." and "HTTPS ..." are left out.
    static ProxyList FromFinder(const wchar_t* text);

    // The first entry serving scheme ("http" or "https", in any case); direct when none
    // does, or when the first that does is DIRECT.
    http::ProxyServer For(const wchar_t* scheme) const;

private:
    struct Entry {
        std::wstring scheme;  // empty: every scheme
        http::ProxyServer server;
    };
    // Adds one "[scheme=][http://]host[:port]" entry, unless it is malformed or
    // serves a scheme of no use.
    void AddEntry(const std::wstring& entry);

    std::vector<Entry> entries_;
};

}  // namespace proxy
}  // namespace net
