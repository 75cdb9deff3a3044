// TestServer: where the local HTTP test server listens (see http_test_server.py).
#pragma once

#include "common/net/UsesWinsock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

// The server is started and stopped by CTest around the tests that need it and
// writes its ports to the file that ENNEO_HTTP_TEST_SERVER names. Each test of this
// fixture holds the sockets library for its duration.
class TestServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* portFile = std::getenv("ENNEO_HTTP_TEST_SERVER");
        ASSERT_NE(nullptr, portFile)
            << "ENNEO_HTTP_TEST_SERVER is not set: run these tests through ctest";
        std::ifstream in(portFile);
        int pid = 0;
        in >> port_ >> closedPort_ >> stalledPort_ >> pid >> ipv6_ >> httpsPort_ >> proxyPort_ >> refusingProxyPort_ >>
            askingProxyPort_ >> silentProxyPort_;
        ASSERT_TRUE(in) << "no test server listed in " << portFile;
    }

    // Whether the server listens on [::1] too; a test that needs it skips, saying why.
    bool HasIPv6() const { return ipv6_ != 0; }

    // "http://127.0.0.1:<port>" followed by path.
    std::wstring Url(const std::wstring& path) const { return UrlOnPort(port_, path); }
    static std::wstring UrlOnPort(int port, const std::wstring& path) {
        return L"http://127.0.0.1:" + std::to_wstring(port) + path;
    }
    // "https://localhost:<https port>" (the name its certificate carries) followed by
    // path.
    std::wstring HttpsUrl(const std::wstring& path) const {
        return L"https://localhost:" + std::to_wstring(httpsPort_) + path;
    }

    static double SecondsSince(std::chrono::steady_clock::time_point start) {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    // The bound of every wall-clock check: far longer than a bounded wait of these tests
    // takes on a loaded machine, and shorter than the ways a client that ignores a bound
    // is held (the server holds it a minute and more, the system's own connect time-out
    // is longer too). Such a check catches a hang, never a slow machine.
    static constexpr double kHangSeconds = 20;

    int port_ = 0;
    int closedPort_ = 0;   // nothing listens there: connecting is refused
    int stalledPort_ = 0;  // connecting there never completes
    int ipv6_ = 0;
    int httpsPort_ = 0;  // the HTTPS port (0 when the server has none)
    // The test proxy's ports (127.0.0.1), one per way it answers: it forwards, refuses
    // (403), asks for a password (407), never answers.
    int proxyPort_ = 0;
    int refusingProxyPort_ = 0;
    int askingProxyPort_ = 0;
    int silentProxyPort_ = 0;
    net::UsesWinsock winsock_;
};
