// Tests of name lookup: the system's lookup of both families, and ResolveWithin, which
// gives up a lookup that answers late at the deadline.
#include "common/net/ResolveWithin.h"

#include "common/net/SocketApi.h"
#include "common/net/UsesWinsock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

using net::Deadline;
using net::ResolveWithin;
using net::SocketAddress;

namespace {

using Addresses = std::vector<SocketAddress>;

bool Slow(const char*, Addresses& addresses) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    addresses.assign(1, SocketAddress());
    return true;
}

// "quick" is 127.0.0.1; nothing else resolves.
bool Quick(const char* host, Addresses& addresses) {
    if (std::string(host) != "quick") return false;
    SocketAddress address;
    address.bytes[0] = 127;
    address.bytes[3] = 1;
    addresses.assign(1, address);
    return true;
}

TEST(ResolveWithinTest, GivesUpAtTheDeadlineAndTakesATimelyAnswer) {
    Addresses addresses(7);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ResolveWithin("slow", addresses, Deadline::In(200), Slow));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(700));
    EXPECT_EQ(7u, addresses.size());

    EXPECT_TRUE(ResolveWithin("quick", addresses, Deadline::In(5000), Quick));
    ASSERT_EQ(1u, addresses.size());
    EXPECT_EQ(127, addresses[0].bytes[0]);
    EXPECT_FALSE(ResolveWithin("other", addresses, Deadline::In(5000), Quick));
    EXPECT_TRUE(ResolveWithin("quick", addresses, Deadline(), Quick));  // no deadline: no thread
}

// Both families, in network byte order; a bracketed host is an IPv6 literal and nothing
// else. (Whether a name has addresses of both families depends on the machine.)
TEST(ResolveTest, GivesIPv4AndIPv6AddressesAndTakesBracketsForIPv6LiteralsOnly) {
    net::UsesWinsock winsock;
    Addresses addresses;
    ASSERT_TRUE(net::socketapi::Resolve("127.0.0.1", addresses));
    ASSERT_EQ(1u, addresses.size());
    EXPECT_EQ(SocketAddress::Family::IPv4, addresses[0].family);
    EXPECT_EQ((std::vector<int>{127, 0, 0, 1}),
              std::vector<int>(addresses[0].bytes, addresses[0].bytes + 4));

    for (const char* loopback : {"::1", "[::1]"}) {
        ASSERT_TRUE(net::socketapi::Resolve(loopback, addresses)) << loopback;
        ASSERT_EQ(1u, addresses.size()) << loopback;
        EXPECT_EQ(SocketAddress::Family::IPv6, addresses[0].family) << loopback;
        EXPECT_EQ(std::vector<int>(15, 0), std::vector<int>(addresses[0].bytes, addresses[0].bytes + 15));
        EXPECT_EQ(1, addresses[0].bytes[15]);
    }
    for (const char* notALiteral : {"[127.0.0.1]", "[localhost]", "[::1", "[]"}) {
        EXPECT_FALSE(net::socketapi::Resolve(notALiteral, addresses)) << notALiteral;
        EXPECT_TRUE(addresses.empty()) << notALiteral;
    }
}

}  // namespace
