// Tests of the proxy settings' rules: proxy lists (the user's and the finder's), bypass
// lists and the proxy they choose for a URL.
#include "common/net/proxy/ProxyRules.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

using net::http::ProxyServer;
using net::proxy::ProxyBypass;
using net::proxy::ProxyList;
using net::proxy::ProxyRules;

namespace {

// "host:port", or "direct".
std::wstring Named(const ProxyServer& server) { return server.IsDirect() ? L"direct" : server.Name(); }

std::wstring SettingFor(const wchar_t* setting, const wchar_t* scheme) {
    return Named(ProxyList::FromSetting(setting).For(scheme));
}

std::wstring FinderFor(const wchar_t* answer, const wchar_t* scheme) {
    return Named(ProxyList::FromFinder(answer).For(scheme));
}

TEST(ProxyListTest, OneProxyForEverySchemeOrOnePerScheme) {
    EXPECT_EQ(L"proxy.example:8080", SettingFor(L"proxy.example:8080", L"http"));
    EXPECT_EQ(L"proxy.example:8080", SettingFor(L"proxy.example:8080", L"https"));
    EXPECT_EQ(L"h1:81", SettingFor(L"http=h1:81;https=h2:82", L"http"));
    EXPECT_EQ(L"h2:82", SettingFor(L"http=h1:81;https=h2:82", L"HTTPS"));
    EXPECT_EQ(L"direct", SettingFor(L"http=h1:81", L"https"));  // no secure proxy: https goes direct
    // Blanks separate too; the scheme's case, "http://" before the host and a trailing
    // '/' do not matter; a missing port is 80.
    EXPECT_EQ(L"h1:81", SettingFor(L"HTTP=http://h1:81/  https=h2", L"http"));
    EXPECT_EQ(L"h2:80", SettingFor(L"HTTP=http://h1:81/  https=h2", L"https"));
    EXPECT_EQ(L"h2:80", SettingFor(L"h2:", L"http"));
    EXPECT_EQ(L"[::1]:3128", SettingFor(L"[::1]:3128", L"http"));
    EXPECT_EQ(L"10.0.0.1:80", SettingFor(L"10.0.0.1", L"http"));
    // The client speaks only HTTP to a proxy: SOCKS and other schemes are left out.
    EXPECT_EQ(L"direct", SettingFor(L"socks=s:1080;https=h2:82", L"http"));
    EXPECT_EQ(L"h2:82", SettingFor(L"socks=s:1080;https=h2:82", L"https"));
    EXPECT_EQ(L"direct", SettingFor(L"", L"http"));
    EXPECT_EQ(L"direct", SettingFor(nullptr, L"http"));
}

TEST(ProxyListTest, MalformedEntriesAreLeftOut) {
    for (const wchar_t* entry :
         {L":80", L"h:0", L"h:65536", L"h:80x", L"h:123456", L"h:-1", L"ftp=h:21", L"=h:80", L"socks://s:1080",
          L"https://h:443", L"h/x:80", L"h@x:80", L"[::1", L"[]:80", L"[::1]x", L"[g::1]:80", L"::1", L"h\x7f:80"}) {
        EXPECT_EQ(L"direct", SettingFor(entry, L"http")) << std::wstring(entry);
        EXPECT_EQ(L"good:81", SettingFor((std::wstring(entry) + L";good:81").c_str(), L"http")) << std::wstring(entry);
    }
}

TEST(ProxyListTest, TheFindersAnswerTakesTheFirstUsableEntry) {
    EXPECT_EQ(L"a:1", FinderFor(L"PROXY a:1; DIRECT", L"http"));
    EXPECT_EQ(L"a:1", FinderFor(L"PROXY a:1; DIRECT", L"https"));
    EXPECT_EQ(L"direct", FinderFor(L"DIRECT; PROXY a:1", L"http"));
    EXPECT_EQ(L"a:2", FinderFor(L"SOCKS s:1; SOCKS5 s:2; HTTPS t:443; proxy a:2", L"http"));
    EXPECT_EQ(L"b:3", FinderFor(L"HTTP b:3", L"http"));
    EXPECT_EQ(L"a:1", FinderFor(L"a:1;b:2", L"http"));  // WinHTTP's own form, a plain list
    EXPECT_EQ(L"a:1", FinderFor(L"a:1 b:2", L"http"));
    EXPECT_EQ(L"direct", FinderFor(L"PROXY ;DIRECT", L"http"));
    EXPECT_EQ(L"direct", FinderFor(L" ; ;", L"http"));
    EXPECT_EQ(L"direct", FinderFor(L"", L"http"));
}

TEST(ProxyBypassTest, PatternsMatchTheHostOrHostAndPortWhateverTheCase) {
    ProxyBypass bypass(L"*.example.org; 10.* intranet;;host:8080");
    EXPECT_TRUE(bypass.Bypasses(L"www.example.org", 80));
    EXPECT_TRUE(bypass.Bypasses(L"WWW.Example.ORG", 443));
    EXPECT_FALSE(bypass.Bypasses(L"example.org", 80));
    EXPECT_FALSE(bypass.Bypasses(L"www.example.org.evil", 80));
    EXPECT_TRUE(bypass.Bypasses(L"10.1.2.3", 80));
    EXPECT_FALSE(bypass.Bypasses(L"110.1.2.3", 80));
    EXPECT_TRUE(bypass.Bypasses(L"intranet", 80));
    EXPECT_FALSE(bypass.Bypasses(L"intranet2", 80));
    EXPECT_TRUE(bypass.Bypasses(L"host", 8080));
    EXPECT_FALSE(bypass.Bypasses(L"host", 80));
    EXPECT_TRUE(ProxyBypass(L"*").Bypasses(L"anything.at.all", 1));
    EXPECT_FALSE(ProxyBypass().Bypasses(L"localhost", 80));  // the loopback only by "<local>"
}

TEST(ProxyBypassTest, LocalIsNamesWithoutADotAndTheLoopback) {
    ProxyBypass local(L"<LOCAL>");
    for (const wchar_t* host : {L"intranet", L"localhost", L"LocalHost", L"127.0.0.1", L"127.1.2.3", L"[::1]"}) {
        EXPECT_TRUE(local.Bypasses(host, 80)) << std::wstring(host);
    }
    for (const wchar_t* host : {L"example.org", L"[fe80::1]", L"128.0.0.1", L"127.example.org", L"localhost.org"}) {
        EXPECT_FALSE(local.Bypasses(host, 80)) << std::wstring(host);
    }
}

// Each '*' is moved on only when the rest fails: a pattern made to backtrack costs no
// more than its length times the host's.
TEST(ProxyBypassTest, APatternMadeToBacktrackEndsAtOnce) {
    ProxyBypass bypass((std::wstring(200, L'*') + L"a*a*a*a*a*a*a*a*b").c_str());
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(bypass.Bypasses(std::wstring(2000, L'a'), 80));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(ProxyRulesTest, TheBypassListGoesBeforeTheProxyOfTheUrlsScheme) {
    ProxyRules rules(ProxyList::FromSetting(L"http=h:1;https=s:2"), ProxyBypass(L"<local>;*.lan"));
    EXPECT_EQ(L"h:1", Named(rules.Choose(L"http://example.org/x")));
    EXPECT_EQ(L"s:2", Named(rules.Choose(L"HTTPS://example.org:8443/")));
    EXPECT_EQ(L"direct", Named(rules.Choose(L"http://printer.lan/")));
    EXPECT_EQ(L"direct", Named(rules.Choose(L"http://localhost:8080/")));
    EXPECT_EQ(L"direct", Named(rules.Choose(L"http://[::1]:8080/")));
    EXPECT_EQ(L"direct", Named(rules.Choose(L"not a URL")));
    EXPECT_EQ(L"direct", Named(rules.Choose(nullptr)));
    EXPECT_EQ(L"direct", Named(ProxyRules().Choose(L"http://example.org/")));
}

// Random text from the settings' own characters never crashes a reader, and every
// proxy read holds only what a host name or an IPv6 literal holds, with a port in range.
TEST(ProxyRulesTest, RandomSettingsAreReadWithoutHarm) {
    unsigned seed = static_cast<unsigned>(std::random_device()());
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const std::wstring alphabet = L"ab1:;= \t/[]*.<>PROXYDIRECTsocks=http\x80\x7f";
    for (int round = 0; round < 2000; ++round) {
        std::wstring text;
        for (int i = random() % 40; i > 0; --i) text += alphabet[random() % alphabet.size()];
        for (const ProxyList& list : {ProxyList::FromSetting(text.c_str()), ProxyList::FromFinder(text.c_str())}) {
            for (const wchar_t* scheme : {L"http", L"https"}) {
                ProxyServer server = list.For(scheme);
                if (server.IsDirect()) continue;
                EXPECT_EQ(std::wstring::npos, server.host.find_first_of(L";= \t/*<>\x80\x7f")) << text;
                EXPECT_TRUE(server.port >= 1 && server.port <= 65535) << text;
            }
        }
        ProxyRules(ProxyList::FromSetting(text.c_str()), ProxyBypass(text.c_str())).Choose(L"http://a.b:1/");
    }
}

}  // namespace
