// TlsRecordHeader: what the first bytes a TLS server sends say about it.
#include "TlsRecordHeader.h"

namespace net {

namespace {

const unsigned char kChangeCipherSpec = 20;
const unsigned char kAlertType = 21;
const unsigned char kHeartbeat = 24;
const unsigned char kFatal = 2;
const unsigned char kProtocolVersion = 70;

}  // namespace

TlsRecordHeader::Kind TlsRecordHeader::Classify(const char* bytes, size_t count) {
    if (count < kHeaderSize) return Kind::kIncomplete;
    const unsigned char* header = reinterpret_cast<const unsigned char*>(bytes);
    size_t length = size_t{header[3]} << 8 | header[4];
    bool known = header[0] >= kChangeCipherSpec && header[0] <= kHeartbeat && header[1] == 3 && header[2] <= 4;
    if (!known || length < 1 || length > kMaxRecordLength) return Kind::kNotTls;
    if (header[0] != kAlertType) return Kind::kHandshake;
    if (length != 2) return Kind::kNotTls;  // a plain alert is a level and a description
    if (count < kHeaderSize + 2) return Kind::kIncomplete;
    return header[5] == kFatal && header[6] == kProtocolVersion ? Kind::kVersionRefused : Kind::kAlert;
}

}  // namespace net
