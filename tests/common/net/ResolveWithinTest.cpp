// Tests of ResolveWithin: a lookup that answers late is given up at the deadline.
#include "common/net/ResolveWithin.h"

#include "common/net/SocketApi.h"
#include "common/net/UsesWinsock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using net::Deadline;
using net::ResolveWithin;

namespace {

bool Slow(const char*, uint32_t& address) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    address = 1;
    return true;
}

// "quick" is 127.0.0.1; nothing else resolves.
bool Quick(const char* host, uint32_t& address) {
    if (std::string(host) != "quick") return false;
    address = 0x0100007F;
    return true;
}

TEST(ResolveWithinTest, GivesUpAtTheDeadlineAndTakesATimelyAnswer) {
    uint32_t address = 7;
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ResolveWithin("slow", address, Deadline::In(200), Slow));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(700));
    EXPECT_EQ(7u, address);

    EXPECT_TRUE(ResolveWithin("quick", address, Deadline::In(5000), Quick));
    EXPECT_EQ(0x0100007Fu, address);
    EXPECT_FALSE(ResolveWithin("other", address, Deadline::In(5000), Quick));
    EXPECT_TRUE(ResolveWithin("quick", address, Deadline(), Quick));  // no deadline: no thread

    net::UsesWinsock winsock;
    address = 0;
    EXPECT_TRUE(ResolveWithin("127.0.0.1", address, Deadline::In(5000), net::socketapi::Resolve));
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&address);
    EXPECT_EQ(127, bytes[0]);  // network byte order
    EXPECT_EQ(1, bytes[3]);
}

}  // namespace
