// Tests of TlsRecordHeader: a server's first bytes read as TLS or not.
#include "common/net/TlsRecordHeader.h"

#include <gtest/gtest.h>

#include <string>

using net::TlsRecordHeader;
using Kind = TlsRecordHeader::Kind;

namespace {

Kind Classify(const std::string& bytes) { return TlsRecordHeader::Classify(bytes.data(), bytes.size()); }

TEST(TlsRecordHeaderTest, ReadsHandshakesAndAlerts) {
    EXPECT_EQ(Kind::kHandshake, Classify(std::string("\x16\x03\x03\x00\x4a", 5)));  // a hello, any length
    EXPECT_EQ(Kind::kHandshake, Classify(std::string("\x16\x03\x01\x48\x00", 5)));  // the longest record
    EXPECT_EQ(Kind::kVersionRefused, Classify(std::string("\x15\x03\x01\x00\x02\x02\x46", 7)));
    EXPECT_EQ(Kind::kAlert, Classify(std::string("\x15\x03\x03\x00\x02\x02\x28", 7)));  // handshake_failure
    EXPECT_EQ(Kind::kAlert, Classify(std::string("\x15\x03\x03\x00\x02\x01\x46", 7)));  // only a warning
}

// Too few bytes to tell wait for more: a header, and an alert's two bytes after it.
TEST(TlsRecordHeaderTest, WaitsForAWholeHeader) {
    EXPECT_EQ(Kind::kIncomplete, Classify(""));
    EXPECT_EQ(Kind::kIncomplete, Classify(std::string("\x16\x03\x03\x00", 4)));
    EXPECT_EQ(Kind::kIncomplete, Classify(std::string("\x15\x03\x01\x00\x02\x02", 6)));
}

// An HTTP answer, an SSL 2 header, an unknown type or version, a record of no bytes or
// longer than any, an alert of another length: none is TLS, however few bytes came.
TEST(TlsRecordHeaderTest, RefusesWhatIsNotTls) {
    for (const std::string& bytes :
         {std::string("HTTP/1.1 400 Bad Request\r\n"), std::string("\x80\x2e\x02\x00\x02", 5),
          std::string("\x19\x03\x03\x00\x10", 5), std::string("\x13\x03\x03\x00\x10", 5),
          std::string("\x16\x02\x00\x00\x10", 5), std::string("\x16\x03\x05\x00\x10", 5),
          std::string("\x17\x03\x03\x00\x00", 5), std::string("\x16\x03\x03\x48\x01", 5),
          std::string("\x15\x03\x03\x00\x03\x02\x46\x00", 8), std::string("\x15\x03\x03\x00\x03", 5)}) {
        EXPECT_EQ(Kind::kNotTls, Classify(bytes)) << testing::PrintToString(bytes);
    }
}

}  // namespace
