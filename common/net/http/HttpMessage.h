// HttpMessage: what HTTP/1.1 requests and responses share.
#pragma once

#include "common/Object.h"
#include "common/String.h"
#include "common/io/ByteArrayOutputStream.h"

#include <map>
#include <string>

namespace net {
namespace http {

// The first line, the headers (one value per name, ordered by the plain comparison of
// their names' characters, case-sensitive), the raw bytes as they go over the wire and
// the decoded body of a response.
class HttpMessage : public Object {
public:
    // Empties the streams, the first line and the headers.
    virtual void Clear();

    // Sets the header, replacing a value held under exactly this name.
    void SetHeader(const wchar_t* name, const wchar_t* value);
    // Removes the header held under exactly this name, if there is one.
    void RemoveHeader(const wchar_t* name);
    // The value held under exactly this name (case-sensitive), or null. Valid until
    // the header changes or the message is cleared.
    const wchar_t* GetHeader(const wchar_t* name) const;
    // Fills the first line and the headers from a received header block, line by line
    // up to its last CR LF: "Name: value" lines (the colon and one blank skipped,
    // nothing trimmed; the last of a repeated name wins); every "Set-Cookie" line, in
    // any case, joined by "; " into one "Set-Cookie" header.
    void ParseHeaders(const wchar_t* text);

    const String& GetFirstLine() const { return firstLine_; }
    void SetFirstLine(const wchar_t* line) { firstLine_.Set(line); }
    io::ByteArrayOutputStream& GetBody() { return body_; }
    io::ByteArrayOutputStream& GetRaw() { return raw_; }

protected:
    explicit HttpMessage(const wchar_t* className) : Object(className) {}
    ~HttpMessage() = default;
    HttpMessage(const HttpMessage&) = delete;
    HttpMessage& operator=(const HttpMessage&) = delete;

    // Wide-character order of the names; with the ASCII names of HTTP it is the order
    // of their UTF-16 code units on every platform.
    using TextMap = std::map<std::wstring, std::wstring>;

    const TextMap& GetHeaders() const { return headers_; }

private:
    io::ByteArrayOutputStream body_;
    io::ByteArrayOutputStream raw_;
    TextMap headers_;
    String firstLine_;
};

}  // namespace http
}  // namespace net
