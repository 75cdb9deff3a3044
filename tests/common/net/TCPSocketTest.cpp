// Tests of TCPSocket and TCPClient against the local test server.
#include "common/net/TCPClient.h"

#include "tests/common/RaisedBy.h"
#include "tests/common/net/TestServer.h"

#include <cstring>
#include <vector>

using net::TCPClient;
using net::TCPSocket;

namespace {

class TCPSocketTest : public TestServerTest {
protected:
    // Connects client to the test server and sends a GET for path.
    void Ask(TCPClient& client, const char* path) {
        client.SetHost(L"127.0.0.1");
        client.SetPort(port_);
        client.Connect();
        std::string request = std::string("GET ") + path + " HTTP/1.1\r\n\r\n";
        ASSERT_EQ(static_cast<int>(request.size()),
                  client.Send(request.data(), static_cast<int>(request.size())));
    }
};

TEST_F(TCPSocketTest, CloseWithoutASocketDoesNothing) {
    TCPSocket socket;
    socket.Close();
    socket.Close();
    socket.CreateSocket();
    EXPECT_TRUE(socket.HasSocket());
    socket.Close();
    EXPECT_FALSE(socket.HasSocket());
    socket.Close();
    EXPECT_EQ(0u, static_cast<unsigned>(socket.GetHandle()));
}

// The server holds the silent connection a minute: a receive that ignored its time-out
// would end with the close.
TEST_F(TCPSocketTest, ATimeOutGivenBeforeTheSocketExistsEndsASilentReceive) {
    TCPClient client;
    client.SetRecvTimeOut(1000);  // no socket yet: Connect makes one and gives it the time-out
    Ask(client, "/silent");
    std::vector<char> buffer(TCPSocket::kReceiveBufferSize);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(net::kReceiveTimedOut, client.Receive(buffer.data()));
    EXPECT_GT(SecondsSince(start), 0.8);

    // A wait of its own ends the receive sooner than the time-out, now a minute; 0 only
    // looks.
    client.SetRecvTimeOut(60000);
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(net::kReceiveTimedOut, client.Receive(buffer.data(), 200));
    EXPECT_LT(SecondsSince(start), kHangSeconds);
    EXPECT_EQ(net::kReceiveTimedOut, client.Receive(buffer.data(), 0));
}

TEST_F(TCPSocketTest, ReceiveTakesAtMostItsBufferSize) {
    TCPClient client;
    client.SetRecvTimeOut(2000);
    Ask(client, "/big?size=200000");
    std::vector<char> buffer(TCPSocket::kReceiveBufferSize + 16, 'g');
    int total = 0;
    for (int n; (n = client.Receive(buffer.data())) > 0;) {
        ASSERT_LE(n, 61440);
        total += n;
        if (total > 200000) break;  // the whole body and its header block
    }
    EXPECT_GT(total, 200000);
    EXPECT_EQ('g', buffer[TCPSocket::kReceiveBufferSize]);
}

TEST_F(TCPSocketTest, ConnectNamesTheHostThatDoesNotResolve) {
    TCPClient client;
    client.SetHost(L"nonexistent.invalid");
    client.SetPort(80);
    EXPECT_EQ(L"TCPClient::Connect() nonexistent.invalid could not be resolved",
              RaisedBy([&] { client.Connect(); }));
}

TEST_F(TCPSocketTest, ConnectNamesHostAndPortOfARefusedConnection) {
    TCPClient client;
    client.SetHost(L"127.0.0.1");
    client.SetPort(closedPort_);
    std::wstring message = RaisedBy([&] { client.Connect(); });
    std::wstring start = L"TCPClient::Connect() - while connecting to 127.0.0.1:" +
                         std::to_wstring(closedPort_) + L" : ";
    EXPECT_EQ(start, message.substr(0, start.size()));
    EXPECT_GT(message.size(), start.size() + 2) << "the system's text follows";
}

TEST_F(TCPSocketTest, ConnectGivesUpAfterTheTimeOutWhenThePeerNeverAccepts) {
    TCPClient client;
    client.SetRecvTimeOut(1000);
    client.SetHost(L"127.0.0.1");
    client.SetPort(stalledPort_);
    auto start = std::chrono::steady_clock::now();
    std::wstring message = RaisedBy([&] { client.Connect(); });
    EXPECT_LT(SecondsSince(start), kHangSeconds);
    std::wstring expected =
        L"TCPClient::Connect() - while connecting to 127.0.0.1:" + std::to_wstring(stalledPort_);
    EXPECT_EQ(expected, message.substr(0, expected.size()));
}

}  // namespace
