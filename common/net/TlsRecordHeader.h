// TlsRecordHeader: what the first bytes a TLS server sends say about it.
#pragma once

#include <cstddef>

namespace net {

// Reads the start of a server's first answer to a ClientHello, before the platform's
// TLS makes sense of it: a peer that is no TLS server at all (random bytes, an HTTP
// answer) must be named as such at once rather than waited for, and a server that
// refuses every version offered says so only in its plain alert.
class TlsRecordHeader {
public:
    enum class Kind {
        kIncomplete,       // too few bytes to tell yet
        kHandshake,        // a record of the TLS kinds (a server's hello, most often)
        kVersionRefused,   // a fatal alert "protocol_version": no version in common
        kAlert,            // any other alert
        kNotTls,           // not a TLS record header
    };

    // The first count bytes of the server's answer: kNotTls unless they start with a
    // known content type, a version 3.x and a length from 1 to kMaxRecordLength (the
    // most a record's ciphertext may hold); an alert is told apart by its two bytes
    // after the header.
    static Kind Classify(const char* bytes, size_t count);

    static const size_t kHeaderSize = 5;
    static const size_t kMaxRecordLength = 16384 + 2048;
};

}  // namespace net
