// ProxyBypass: the hosts that a proxy setting sends straight to their server.
#pragma once

#include <string>
#include <vector>

namespace net {
namespace proxy {

// A bypass list as Windows keeps it: entries separated by ';' or blanks, each a host
// pattern ("*.example.org", "10.*", "intranet") matched against the host, or against
// "host:port" when it names a port, without regard to case; '*' stands for any run of
// characters. "<local>" stands for the host names without a dot and the loopback:
// "localhost", 127.x.x.x and [::1].
class ProxyBypass {
public:
    // list: null or empty for none.
    explicit ProxyBypass(const wchar_t* list = nullptr);

    // Whether a request to host (an IPv6 literal in brackets, as URL gives it) and port
    // goes straight to its server.
    bool Bypasses(const std::wstring& host, int port) const;

private:
    std::vector<std::wstring> patterns_;
    bool local_ = false;  // "<local>" is among them
};

}  // namespace proxy
}  // namespace net
