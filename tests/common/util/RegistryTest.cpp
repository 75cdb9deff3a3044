// Tests of the settings in the registry and of the version values.
#include "common/util/Registry.h"
#include "common/util/RegistryProperties.h"
#include "common/util/VersionInfo.h"

#include <gtest/gtest.h>

namespace {

// A key of the tests' own under the current user, removed before and after.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\EnneoTestCompany"); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\EnneoTestCompany"); }
};

TEST_F(RegistryTest, KeyPathAndSections) {
    util::RegistryProperties properties(L"EnneoTestCompany", L"B");
    EXPECT_STREQ(L"Software\\EnneoTestCompany\\B", properties.GetKeyPath());
    EXPECT_EQ(HKEY_CURRENT_USER, properties.GetRoot());
    String value(L"stale");
    EXPECT_FALSE(properties.GetProperty(L"CheckForUpdates", value, nullptr));
    EXPECT_TRUE(value.IsEmpty());

    EXPECT_TRUE(properties.SetProperty(L"CheckForUpdates", L"1", nullptr));
    EXPECT_TRUE(properties.SetProperty(L"Name", L"in section", L"S"));
    ASSERT_TRUE(properties.GetProperty(L"CheckForUpdates", value, nullptr));
    EXPECT_STREQ(L"1", value.GetText());
    ASSERT_TRUE(util::ReadRegistryString(HKEY_CURRENT_USER, L"Software\\EnneoTestCompany\\B\\S", L"Name", value));
    EXPECT_STREQ(L"in section", value.GetText());
    EXPECT_FALSE(properties.GetProperty(L"Name", value, nullptr));

    // A value removed reads as absent; removing what is not there (nor its key) succeeds.
    EXPECT_TRUE(properties.RemoveProperty(L"CheckForUpdates", nullptr));
    EXPECT_FALSE(properties.GetProperty(L"CheckForUpdates", value, nullptr));
    EXPECT_TRUE(properties.RemoveProperty(L"CheckForUpdates", nullptr));
    EXPECT_TRUE(properties.RemoveProperty(L"Name", L"NoSuchSection"));
    ASSERT_TRUE(properties.GetProperty(L"Name", value, L"S"));
}

TEST_F(RegistryTest, ValuesOfOtherTypesReadAsText) {
    ASSERT_TRUE(util::WriteRegistryString(HKEY_CURRENT_USER, L"Software\\EnneoTestCompany", L"empty", L""));
    String value(L"stale");
    ASSERT_TRUE(util::ReadRegistryString(HKEY_CURRENT_USER, L"Software\\EnneoTestCompany", L"empty", value));
    EXPECT_STREQ(L"", value.GetText());

    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\EnneoTestCompany", 0, KEY_SET_VALUE, &key));
    const wchar_t text[] = {L'h', L'i'};  // no terminator stored
    RegSetValueExW(key, L"binary", 0, REG_BINARY, reinterpret_cast<const BYTE*>(text), sizeof(text));
    RegCloseKey(key);
    ASSERT_TRUE(util::ReadRegistryString(HKEY_CURRENT_USER, L"Software\\EnneoTestCompany", L"binary", value));
    EXPECT_STREQ(L"hi", value.GetText());
}

TEST(VersionInfoTest, ReadsTheProgramsOwnResource) {
    EXPECT_STREQ(ENNEO_VERSION_TEXT, util::GetVersionInfoValue(L"ProductVersion").GetText());
    EXPECT_STREQ(L"Enneo Tessary", util::GetVersionInfoValue(L"FileDescription").GetText());
    String missing = util::GetVersionInfoValue(L"NoSuchKey");
    ASSERT_NE(nullptr, missing.GetText());  // empty, never null
    EXPECT_EQ(0, missing.GetLength());
}

}  // namespace
