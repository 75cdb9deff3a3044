// Tests of UserProxy's order: the finder first when automatic detection or a script is
// set, the fixed proxy when the finder fails or is late, and a finder that failed not
// asked again.
#include "common/net/proxy/UserProxy.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

using net::proxy::UserProxy;

namespace {

// "host:port", or "direct".
std::wstring Named(const net::http::ProxyServer& server) { return server.IsDirect() ? L"direct" : server.Name(); }

// The settings with a fixed proxy, "<local>" bypassed, and automatic detection as given.
UserProxy::Settings Fixed(bool autoDetect) {
    UserProxy::Settings settings;
    settings.autoDetect = autoDetect;
    settings.proxy = L"fixed:3128";
    settings.bypass = L"<local>";
    return settings;
}

// A finder that counts its questions (shared, since a late one outlives the test's
// wait), keeps the last URL asked about, waits and then answers as told.
struct FakeFinder {
    std::shared_ptr<std::atomic<int>> asked = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<std::wstring> lastUrl = std::make_shared<std::wstring>();

    UserProxy::Finder Answering(bool succeeds, UserProxy::Found answer, int delayMilliseconds = 0) {
        return [asked = asked, lastUrl = lastUrl, succeeds, answer, delayMilliseconds](const std::wstring& url,
                                                                                       UserProxy::Found& found) {
            ++*asked;
            if (delayMilliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delayMilliseconds));
            *lastUrl = url;
            found = answer;
            return succeeds;
        };
    }
};

UserProxy::Found ProxyAnswer(const wchar_t* proxy, const wchar_t* bypass = L"") {
    UserProxy::Found found;
    found.direct = false;
    found.proxy = proxy;
    found.bypass = bypass;
    return found;
}

TEST(UserProxyTest, WithoutDetectionOrScriptTheFixedProxyAndItsBypassChoose) {
    FakeFinder finder;
    UserProxy proxy(Fixed(false), finder.Answering(true, ProxyAnswer(L"found:1")), 1000);
    EXPECT_EQ(L"fixed:3128", Named(proxy.Choose(L"http://example.org/")));
    EXPECT_EQ(L"direct", Named(proxy.Choose(L"http://localhost/")));
    EXPECT_EQ(0, finder.asked->load());
}

TEST(UserProxyTest, TheFindersAnswerGoesBeforeTheFixedProxy) {
    FakeFinder finder;
    UserProxy::Settings settings = Fixed(false);
    settings.configScript = L"http://config.example/proxy.pac";
    UserProxy proxy(settings, finder.Answering(true, ProxyAnswer(L"PROXY found:1; DIRECT", L"*.lan")), 1000);
    EXPECT_EQ(L"found:1", Named(proxy.Choose(L"https://example.org/a")));
    EXPECT_EQ(L"https://example.org/a", *finder.lastUrl);
    EXPECT_EQ(L"direct", Named(proxy.Choose(L"http://printer.lan/")));  // the answer's own bypass
    EXPECT_EQ(2, finder.asked->load());

    FakeFinder direct;
    UserProxy directly(Fixed(true), direct.Answering(true, UserProxy::Found()), 1000);
    EXPECT_EQ(L"direct", Named(directly.Choose(L"http://example.org/")));
}

TEST(UserProxyTest, AFailingFinderFallsBackToTheFixedProxyAndIsNotAskedAgain) {
    FakeFinder finder;
    UserProxy proxy(Fixed(true), finder.Answering(false, ProxyAnswer(L"found:1")), 1000);
    EXPECT_EQ(L"fixed:3128", Named(proxy.Choose(L"http://example.org/")));
    EXPECT_EQ(L"fixed:3128", Named(proxy.Choose(L"http://example.org/b")));
    EXPECT_EQ(1, finder.asked->load());
}

// A finder that takes far longer than the bound is left at the bound, and the fixed
// proxy chosen; without one, the request goes direct.
TEST(UserProxyTest, ALateFinderIsLeftAtTheBound) {
    FakeFinder finder;
    UserProxy proxy(Fixed(true), finder.Answering(true, ProxyAnswer(L"found:1"), 3000), 200);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(L"fixed:3128", Named(proxy.Choose(L"http://example.org/")));
    EXPECT_EQ(L"fixed:3128", Named(proxy.Choose(L"http://example.org/b")));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));
    EXPECT_EQ(1, finder.asked->load());

    FakeFinder late;
    UserProxy::Settings detectOnly;
    detectOnly.autoDetect = true;
    UserProxy direct(detectOnly, late.Answering(true, ProxyAnswer(L"found:1"), 3000), 200);
    EXPECT_EQ(L"direct", Named(direct.Choose(L"http://example.org/")));
}

}  // namespace
