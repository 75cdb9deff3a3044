// Tests of the top-level window base: icon, caption, centring and closing.
#include "common/gui/MainWindowBase.h"

#include "common/Exception.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class TopWindow : public gui::MainWindowBase {
public:
    TopWindow() : MainWindowBase(L"TopWindow") {}
};

TEST(MainWindowBaseTest, CreationSetsIconCaptionAndCentres) {
    TopWindow window;
    HWND handle = window.Create(nullptr);
    wchar_t caption[64] = {};
    GetWindowTextW(handle, caption, 64);
    EXPECT_STREQ(L"framework_tests", caption);  // the program's name
    EXPECT_NE(0, SendMessageW(handle, WM_GETICON, ICON_BIG, 0));
    EXPECT_EQ(SendMessageW(handle, WM_GETICON, ICON_BIG, 0), SendMessageW(handle, WM_GETICON, ICON_SMALL, 0));
    EXPECT_EQ(static_cast<LONG>(WS_OVERLAPPEDWINDOW), GetWindowLongW(handle, GWL_STYLE) & WS_OVERLAPPEDWINDOW);
    EXPECT_TRUE(IsWindowVisible(handle));

    // Centred by the work area's size, the outer size being the client size it had.
    RECT work, outer;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(handle, &outer);
    int width = outer.right - outer.left;
    int height = outer.bottom - outer.top;
    EXPECT_EQ((work.right - work.left - width) / 2, outer.left);
    EXPECT_EQ((work.bottom - work.top - height) / 2, outer.top);
    window.Destroy();
}

TEST(MainWindowBaseTest, ClosingPostsOneQuitMessageAndKeepsTheWindow) {
    TopWindow window;
    HWND handle = window.Create(nullptr);
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    SendMessageW(handle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(handle));
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, message.wParam);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    window.Destroy();
}

TEST(MainWindowBaseTest, AMissingIconRaises) {
    TopWindow window;
    window.Create(nullptr);
    try {
        window.SetIcon(999);
        FAIL() << "no exception";
    } catch (Exception* e) {
        EXPECT_EQ(0u, std::wstring(e->GetMessageText()).find(L"MainWindowBase::SetIcon(999) "));
        delete e;
    }
    window.Destroy();
}

}  // namespace
