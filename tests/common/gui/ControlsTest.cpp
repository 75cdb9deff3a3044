// Tests of the control classes: width limit, common-controls set-up, images and fonts.
#include "common/gui/BitmapControl.h"
#include "common/gui/IconControl.h"
#include "common/gui/StaticControl.h"
#include "common/gui/SysLinkControl.h"

#include "tests/common/RaisedBy.h"
#include "tests/common/ScopedCall.h"

#include <gtest/gtest.h>

#include <vector>

using namespace gui;

namespace {

std::vector<INITCOMMONCONTROLSEX> initialisations;
BOOL succeeds = FALSE;

BOOL WINAPI RecordInitialisation(const INITCOMMONCONTROLSEX* classes) {
    initialisations.push_back(*classes);
    return succeeds;
}

// A plain top-level window for the controls to live in.
class ControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent_ = CreateWindowExW(0, L"Static", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    void TearDown() override { DestroyWindow(parent_); }
    HWND parent_ = nullptr;
};

TEST(CommonControlTest, InitialisesTheLibraryUntilACallSucceeds) {
    ScopedCall<CommonControl::Initialiser> initialiser(&CommonControl::SetInitialiser, &RecordInitialisation);
    initialisations.clear();
    succeeds = FALSE;
    SysLinkControl first;  // refused: the next construction tries again
    succeeds = TRUE;
    SysLinkControl second;
    SysLinkControl third;
    ASSERT_EQ(2u, initialisations.size());
    EXPECT_EQ(8u, initialisations[1].dwSize);
    EXPECT_EQ(static_cast<DWORD>(ICC_TREEVIEW_CLASSES), initialisations[1].dwICC);
}

// A maximum width caps the widths the control is placed with, and stands in for 0.
TEST_F(ControlTest, SetPositionKeepsToTheMaximumWidth) {
    StaticControl control;
    control.Create(parent_);
    control.SetMaxWidth(100);
    auto widthPlaced = [&](int width) {
        control.SetPosition(0, 0, width, 20, SWP_NOZORDER);
        RECT rect;
        GetWindowRect(control.GetHandle(), &rect);
        return rect.right - rect.left;
    };
    EXPECT_EQ(100, widthPlaced(120));
    EXPECT_EQ(80, widthPlaced(80));
    EXPECT_EQ(100, widthPlaced(0));
}

TEST_F(ControlTest, SysLinkControlsCanBeMade) {
    SysLinkControl link;
    EXPECT_NE(nullptr, link.Create(parent_));
    wchar_t className[32] = {};
    GetClassNameW(link.GetHandle(), className, 32);
    EXPECT_STREQ(L"SysLink", className);
}

TEST_F(ControlTest, SetImageNeedsAnIdentifierAndToleratesAMissingResource) {
    BitmapControl bitmap;
    bitmap.Create(parent_);
    EXPECT_EQ(L"BitmapControl::SetImage(-1) - No resource id has been specified.", RaisedBy([&] { bitmap.SetImage(); }));
    EXPECT_EQ(nullptr, bitmap.GetImage());

    IconControl missing;
    missing.Create(parent_);
    missing.SetImageId(9999);
    missing.SetImage();
    EXPECT_EQ(nullptr, missing.GetImage());
    EXPECT_EQ(0, SendMessageW(missing.GetHandle(), STM_GETIMAGE, IMAGE_ICON, 0));

    IconControl icon;
    icon.Create(parent_);
    EXPECT_EQ(static_cast<LONG>(SS_ICON), GetWindowLongW(icon.GetHandle(), GWL_STYLE) & SS_TYPEMASK);
    icon.SetImageId(100);
    icon.SetImage();
    ASSERT_NE(nullptr, icon.GetImage());
    EXPECT_EQ(reinterpret_cast<LRESULT>(icon.GetImage()), SendMessageW(icon.GetHandle(), STM_GETIMAGE, IMAGE_ICON, 0));
}

}  // namespace
