// Tests of Window: creation, binding before the first message, message handling.
#include "RecordingWindow.h"

#include "common/Exception.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

int RecordingWindow::destructions = 0;

namespace {

std::wstring MessageOf(Exception* e) {
    std::wstring text = e->GetMessageText() ? e->GetMessageText() : L"";
    delete e;
    return text;
}

bool Contains(const std::vector<UINT>& messages, UINT message) {
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

TEST(WindowTest, EveryMessageOfTheCreationReachesTheObject) {
    RecordingWindow window;
    HWND handle = window.Create(nullptr);
    ASSERT_NE(nullptr, handle);
    EXPECT_EQ(handle, window.GetHandle());
    ASSERT_FALSE(window.messages.empty());
    // The first messages of a creation are WM_GETMINMAXINFO or WM_NCCREATE, and both
    // WM_NCCREATE and WM_CREATE arrive.
    EXPECT_TRUE(window.messages[0] == WM_GETMINMAXINFO || window.messages[0] == WM_NCCREATE);
    EXPECT_TRUE(Contains(window.messages, WM_NCCREATE));
    EXPECT_TRUE(Contains(window.messages, WM_CREATE));
    EXPECT_EQ(&window, gui::WindowMessageRouter::GetInstance()->LookUp(handle));
    window.Destroy();
}

TEST(WindowTest, CreateTwiceIsRefused) {
    RecordingWindow window;
    HWND first = window.Create(nullptr);
    try {
        window.Create(nullptr);
        FAIL() << "no exception";
    } catch (Exception* e) {
        EXPECT_EQ(L"RecordingWindow::Create()\nWindow is already created. Check your code.", MessageOf(e));
    }
    EXPECT_EQ(first, window.GetHandle());
    EXPECT_TRUE(IsWindow(first));
    window.Destroy();
}

TEST(WindowTest, RegistersItsClassOnce) {
    RecordingWindow first(L"OnceRegisteredWindow");
    RecordingWindow second(L"OnceRegisteredWindow");
    first.Create(nullptr);
    second.Create(nullptr);
    EXPECT_EQ(1, first.preRegisterCalls + second.preRegisterCalls);
    first.Destroy();
    second.Destroy();
}

TEST(WindowTest, PlainWindowMessages) {
    RecordingWindow window;
    HWND handle = window.Create(nullptr);
    SendMessageW(handle, WM_CLOSE, 0, 0);  // OnClose answers 1: the window stays
    EXPECT_TRUE(IsWindow(handle));
    EXPECT_EQ(1, SendMessageW(handle, WM_SIZE, 0, MAKELPARAM(10, 10)));

    SendMessageW(handle, WM_COMMAND, MAKEWPARAM(7, 0x0400), 0);  // EN_UPDATE: default processing
    SendMessageW(handle, WM_COMMAND, MAKEWPARAM(8, 0), 0);
    ASSERT_EQ(1u, window.commands.size());
    EXPECT_EQ(8u, window.commands[0]);

    SendMessageW(handle, 0x0400, 0, 0);
    SendMessageW(handle, 0x83FF, 0, 0);
    SendMessageW(handle, 0x8400, 0, 0);
    EXPECT_EQ((std::vector<UINT>{0x0400, 0x83FF}), window.userMessages);

    window.GetClientRect(nullptr);  // does nothing
    window.Destroy();
}

TEST(WindowTest, DestroyMarksOnlyALiveWindow) {
    RecordingWindow never;
    never.Destroy();
    EXPECT_EQ(1, never.onDestroyCalls);
    EXPECT_FALSE(never.IsDestroyed());

    RecordingWindow window;
    HWND handle = window.Create(nullptr);
    window.Destroy();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(nullptr, window.GetHandle());
    EXPECT_TRUE(window.IsDestroyed());
    EXPECT_GE(window.onDestroyCalls, 2);  // Destroy's own call and WM_DESTROY's
}

// A menu replaced is destroyed at once; the window's last menu goes with the window.
TEST(WindowTest, ReplaceMenuDestroysTheMenuItReplaces) {
    RecordingWindow window;
    HWND handle = window.Create(nullptr);
    HMENU first = CreateMenu();
    window.ReplaceMenu(first);
    EXPECT_EQ(first, GetMenu(handle));
    HMENU second = CreateMenu();
    window.ReplaceMenu(second);
    EXPECT_EQ(second, GetMenu(handle));
    EXPECT_FALSE(IsMenu(first));
    EXPECT_TRUE(IsMenu(second));
    window.Destroy();
    EXPECT_FALSE(IsMenu(second));
}

TEST(WindowTest, SetStyleAppliesToALiveWindow) {
    RecordingWindow window;
    window.SetStyle(WS_OVERLAPPED);
    HWND handle = window.Create(nullptr);
    window.SetStyle(WS_OVERLAPPED | WS_CAPTION);
    EXPECT_EQ(static_cast<LONG>(WS_CAPTION), GetWindowLongW(handle, GWL_STYLE) & WS_CAPTION);
    window.Destroy();
}

}  // namespace
