// URL: the host, port and path of an absolute "http://" or "https://" URL.
#pragma once

#include "common/Object.h"
#include "common/String.h"

namespace net {

// Holds the URL text, which may be edited like a String, and splits it by plain text
// search: no percent-decoding, no lower-casing, no user part, no fragment removal. A
// host in brackets is an IPv6 literal, whose colons are its own ("http://[::1]:8080/").
// Only "http://" (80) and "https://" (443) have a default port; schemes are compared
// without regard to case.
class URL : public Object {
public:
    URL() : Object(L"URL") {}

    // Raises "URL::Set()" for a text holding a control character (below 0x20, or 0x7F
    // to 0x9F), which could end a request line or header early and smuggle in
    // another; the URL then keeps its text. Blanks are taken.
    void Set(const wchar_t* text);
    int Replace(const wchar_t* find, const wchar_t* replacement) {
        return text_.Replace(find, replacement);
    }
    const wchar_t* GetText() const { return text_.GetText(); }

    // The host, an IPv6 literal with its brackets; raises "host part could not be
    // extracted from %s" when the text has no "://". The text stays valid until the
    // next getHost.
    const wchar_t* getHost();
    // The path with its query and whatever follows, "/" when there is none. Valid
    // until the next getPath.
    const wchar_t* getPath();
    // The explicit port (its digits read as decimal, none giving 0), or 80 for
    // "http://" and 443 for "https://"; raises "URL::getPort() for \"%s\" returned -1"
    // for any other scheme without a port.
    int getPort() const;
    // Whether the scheme is "https://": the request then goes over TLS.
    bool IsSecure() const;

private:
    // Where the host begins and where a colon and the first slash after it are (npos
    // when absent); hostEnd is where the host stops.
    struct Parts;
    Parts Split() const;

    String text_;
    String host_;
    String path_;
};

}  // namespace net
