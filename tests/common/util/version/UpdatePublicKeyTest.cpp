// Tests of UpdatePublicKey: a P-256 key's PEM text, bare or armoured, and corruptions.
#include "common/util/version/UpdatePublicKey.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using util::version::UpdatePublicKey;

namespace {

// A key made with "openssl ecparam -name prime256v1 -genkey" and "openssl ec -pubout",
// and its X‖Y in hex ("openssl ec -text").
const std::wstring kBody =
    L"MFkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDQgAEYaaNppKxx/5k4hLFzO0qIWgJ42NV\n"
    L"V49pnb3PdCoehAq3jAAUwxOizVNdnO30fHZPheLj9A+Mx6ZHsp7oyNpwuw==\n";
const std::wstring kPem = L"-----BEGIN PUBLIC KEY-----\n" + kBody + L"-----END PUBLIC KEY-----\n";
const char kPointHex[] =
    "61a68da692b1c7fe64e212c5cced2a216809e36355578f699dbdcf742a1e840a"
    "b78c0014c313a2cd535d9cedf47c764f85e2e3f40f8cc7a647b29ee8c8da70bb";

std::string PointHex(const UpdatePublicKey& key) {
    std::string hex;
    char digits[3];
    for (int i = 0; i < UpdatePublicKey::kPointSize; ++i) {
        std::snprintf(digits, sizeof digits, "%02x", key.GetPoint()[i]);
        hex += digits;
    }
    return hex;
}

// text with every occurrence of find replaced.
std::wstring Replaced(std::wstring text, const std::wstring& find, const std::wstring& replacement) {
    for (size_t at = text.find(find); at != std::wstring::npos; at = text.find(find, at + replacement.size())) {
        text.replace(at, find.size(), replacement);
    }
    return text;
}

TEST(UpdatePublicKeyTest, ReadsThePemTextAndItsBase64Alone) {
    std::wstring oneLine = Replaced(kBody, L"\n", L"");
    for (const std::wstring& text : {kPem, Replaced(kPem, L"\n", L"\r\n"), L"\n " + oneLine + L" \n"}) {
        UpdatePublicKey key;
        ASSERT_TRUE(key.Read(text.c_str()));
        EXPECT_FALSE(key.IsEmpty());
        EXPECT_EQ(kPointHex, PointHex(key));
    }
}

TEST(UpdatePublicKeyTest, RefusesOtherKeysAndCorruptedText) {
    const std::wstring refused[] = {
        // The same key with its point compressed ("openssl ec -conv_form compressed").
        L"-----BEGIN PUBLIC KEY-----\nMDkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDIgADYaaNppKxx/5k4hLFzO0qIWgJ42NV\n"
        L"V49pnb3PdCoehAo=\n-----END PUBLIC KEY-----\n",
        Replaced(kPem, L"PUBLIC KEY", L"EC PRIVATE KEY"),
        Replaced(kPem, L"BEGIN PUBLIC", L"BEGIN PRIVATE"),
        Replaced(kPem, L"-----END PUBLIC KEY-----\n", L""),
        kBody + L"-----END PUBLIC KEY-----\n",
        Replaced(kPem, L"QgAE", L"QgAG"),  // a hybrid point (0x06), not an uncompressed one
        Replaced(kPem, L"AQcD", L"AQgD"),  // another curve's identifier
        Replaced(kPem, L"+", L"-"),
        Replaced(kPem, L"uw==", L"uw="),
        Replaced(kPem, L"uw==", L"uwAA"),  // two bytes more
        L"",
    };
    for (const std::wstring& text : refused) {
        UpdatePublicKey key;
        ASSERT_TRUE(key.Read(kPem.c_str()));
        EXPECT_FALSE(key.Read(text.c_str())) << text;
        EXPECT_TRUE(key.IsEmpty()) << text;
        EXPECT_EQ(nullptr, key.GetPoint()) << text;
    }
    EXPECT_FALSE(UpdatePublicKey().Read(nullptr));
}

}  // namespace
