// HttpRequest: an HTTP/1.1 request and the bytes that carry it.
#pragma once

#include "HttpMessage.h"

namespace net {
namespace http {

// A request line, headers and optional form parameters, serialized into the raw
// stream as UTF-8 for sending.
class HttpRequest : public HttpMessage {
public:
    HttpRequest() : HttpMessage(L"HttpRequest") {}

    // Also removes the parameters.
    void Clear() override;

    // Sets a form parameter, replacing a value held under exactly this name.
    // Parameters make a form body of "name=value" pairs joined by "&" in name order,
    // nothing escaped.
    void SetParameter(const wchar_t* name, const wchar_t* value);

    // Rebuilds raw: the first line, every header in name order as "Name: value", an
    // empty line, then the form body, each line ending in CR LF. A form body sets
    // Content-Type and Content-Length (which does not count the body's CR LF).
    void Serialize();

private:
    TextMap parameters_;
};

}  // namespace http
}  // namespace net
