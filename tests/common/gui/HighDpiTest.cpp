// Tests of high-DPI support: sizes at a DPI, the program's manifest as Windows reads it,
// and the download progress window after a DPI change (the About window's are beside its
// other tests).
#include "common/gui/ProgressWindow.h"
#include "tests/common/gui/ControlPlaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace gui;

namespace {

// A setting of the process's activation context (the manifest linked into this test
// program, the program's own), as Windows reads it.
std::wstring ManifestSetting(const wchar_t* nameSpace, const wchar_t* name) {
    wchar_t value[128] = {};
    SIZE_T written = 0;
    if (!QueryActCtxSettingsW(0, nullptr, nameSpace, name, value, 128, &written)) return L"(none)";
    return value;
}

TEST(DpiScaleTest, ScalesSizesAt96DpiToTheNearestPixel) {
    EXPECT_EQ(5, DpiScale().Pixels(5));
    EXPECT_EQ(8, DpiScale(144).Pixels(5));  // 7.5 rounds up
    EXPECT_EQ(60, DpiScale(144).Pixels(40));
    EXPECT_EQ(30, DpiScale(192).Pixels(15));
    EXPECT_EQ(-22, DpiScale(192).FromDpi(-11, DpiScale(96)));
    EXPECT_EQ(96, DpiScale(0).GetDpi());
    // This prefix's DPI, which every window here is made at.
    EXPECT_EQ(96, DpiScale::OfSystem().GetDpi());
}

TEST(ManifestTest, DeclaresPerMonitorAwarenessAndEveryWindowsFromVistaOn) {
    EXPECT_EQ(L"true/pm", ManifestSetting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"));
    EXPECT_EQ(L"PerMonitorV2, PerMonitor",
              ManifestSetting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"));

    // The compatibility section as Windows hands it out: a count, then one element per
    // supported system (whose size differs between Windows versions).
    std::vector<char> information(4096);
    SIZE_T size = 0;
    ASSERT_TRUE(QueryActCtxW(QUERY_ACTCTX_FLAG_NO_ADDREF, nullptr, nullptr, CompatibilityInformationInActivationContext,
                             information.data(), information.size(), &size));
    information.resize(size);
    auto compatibility = reinterpret_cast<const ACTIVATION_CONTEXT_COMPATIBILITY_INFORMATION*>(information.data());
    EXPECT_EQ(5u, compatibility->ElementCount);
    const GUID systems[] = {
        {0xe2011457, 0x1546, 0x43c5, {0xa5, 0xfe, 0x00, 0x8d, 0xee, 0xe3, 0xd3, 0xf0}},  // Vista
        {0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}},  // 7
        {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}},  // 8
        {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}},  // 8.1
        {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}},  // 10 and 11
    };
    for (const GUID& system : systems) {
        auto found = std::search(information.begin(), information.end(), reinterpret_cast<const char*>(&system),
                                 reinterpret_cast<const char*>(&system) + sizeof(GUID));
        EXPECT_NE(information.end(), found) << "a supported system is missing, data1 " << std::hex << system.Data1;
    }
}

TEST(ProgressWindowTest, LaysItsContentOutAtANewDpi) {
    ProgressWindow progress;
    HWND handle = progress.Create(nullptr);
    HWND cancel = progress.GetCancelButton().GetHandle();
    RECT place = PlaceOf(cancel, handle);
    EXPECT_EQ(75, place.right - place.left);
    EXPECT_EQ(25, place.bottom - place.top);

    // 75 x 25 at 96 DPI: 113 x 38 at 144 (112.5 and 37.5 rounded), 15 from the corner.
    ChangeDpi(handle, 144, 540, 240);
    ExpectRect({540 - 15 - 113, 240 - 15 - 38, 540 - 15, 240 - 15}, PlaceOf(cancel, handle), "Cancel button");
    progress.Destroy();
}

}  // namespace
