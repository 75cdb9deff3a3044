// The board as a screen reader reads it: a client of Active Accessibility in a process of
// its own reads the real program's board and follows its events while it is played.
#include "tests/puzzle/PuzzleTestGrids.h"
#include "tests/support/ProgramUnderTest.h"

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

struct Event {
    DWORD event;
    LONG child;
};

std::vector<Event> events;
HWND board = nullptr;

void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (window == board && object == OBJID_CLIENT) events.push_back({event, child});
}

VARIANT Child(LONG child) {
    VARIANT variant;
    variant.vt = VT_I4;
    variant.lVal = child;
    return variant;
}

// A text property of a child (0 the board itself), "" for none.
template <typename Getter>
std::wstring Text(IAccessible* table, Getter getter, LONG child) {
    BSTR text = nullptr;
    (table->*getter)(Child(child), &text);
    std::wstring result = text != nullptr ? text : L"";
    SysFreeString(text);
    return result;
}

LONG Number(IAccessible* table, HRESULT (STDMETHODCALLTYPE IAccessible::*getter)(VARIANT, VARIANT*), LONG child) {
    VARIANT value = {};
    EXPECT_EQ(S_OK, (table->*getter)(Child(child), &value));
    return value.lVal;
}

// Handles this thread's messages, through which the events of the other process come,
// until one like event has come since the last wait (up to 30 seconds: a busy machine
// may be slow to hand them over).
bool WaitForEvent(DWORD event, LONG child) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        for (const Event& seen : events) {
            if (seen.event == event && seen.child == child) {
                events.clear();
                return true;
            }
        }
        Sleep(10);
    }
    return false;
}

// The 81 cells with their names, values and read-only flags; the focus follows the
// arrows; a typed digit is the cell's new value; a refused one says why; the pause hides
// the digits.
TEST(AccessibilityTest, AScreenReaderReadsAndPlaysTheBoard) {
    ProgramUnderTest program;
    ASSERT_TRUE(program.Start(ProgramUnderTest::WindowsPath(ENNEO_ACCESSIBILITY_TEST_PROGRAM), L"C:\\"));
    board = program.WaitForWindow(L"Enneo Tessary");
    ASSERT_NE(nullptr, board);
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    IAccessible* table = nullptr;
    ASSERT_EQ(S_OK,
              AccessibleObjectFromWindow(board, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&table)));
    EXPECT_EQ(ROLE_SYSTEM_TABLE, Number(table, &IAccessible::get_accRole, CHILDID_SELF));
    EXPECT_EQ(L"Board", Text(table, &IAccessible::get_accName, CHILDID_SELF));

    VARIANT children[81] = {};
    LONG count = 0;
    ASSERT_EQ(S_OK, AccessibleChildren(table, 0, 81, children, &count));
    ASSERT_EQ(81, count);
    for (LONG i = 0; i < 81; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(VT_I4, children[i].vt);
        ASSERT_EQ(i + 1, children[i].lVal);
        char digit = kSampleLine[i];
        std::wstring place = L"Row " + std::to_wstring(i / 9 + 1) + L", column " + std::to_wstring(i % 9 + 1) + L", ";
        std::wstring shown = digit == '.' ? L"empty, candidates " : std::wstring(1, digit) + L", given";
        EXPECT_EQ(0u, Text(table, &IAccessible::get_accName, i + 1).find(place + shown));
        EXPECT_EQ(digit == '.' ? L"" : std::wstring(1, digit), Text(table, &IAccessible::get_accValue, i + 1));
        EXPECT_EQ(ROLE_SYSTEM_CELL, Number(table, &IAccessible::get_accRole, i + 1));
        EXPECT_EQ(digit != '.', (Number(table, &IAccessible::get_accState, i + 1) & STATE_SYSTEM_READONLY) != 0);
    }
    EXPECT_EQ(L"Row 1, column 1, empty, candidates 1 8", Text(table, &IAccessible::get_accName, 1));

    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, &RecordEvent,
                                         program.GetId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(nullptr, hook);
    PostMessageW(board, WM_KEYDOWN, VK_RIGHT, 0);  // no cell selected: the top-left one
    EXPECT_TRUE(WaitForEvent(EVENT_OBJECT_FOCUS, 1));
    PostMessageW(board, WM_KEYDOWN, VK_RIGHT, 0);
    PostMessageW(board, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(WaitForEvent(EVENT_OBJECT_FOCUS, 11));
    VARIANT focus = {};
    EXPECT_EQ(S_OK, table->get_accFocus(&focus));
    EXPECT_EQ(11, focus.lVal);
    LONG state = Number(table, &IAccessible::get_accState, 11);
    EXPECT_EQ(STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED, state & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED));
    EXPECT_EQ(0, Number(table, &IAccessible::get_accState, 1) & STATE_SYSTEM_SELECTED);

    PostMessageW(board, WM_KEYDOWN, VK_UP, 0);
    PostMessageW(board, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_TRUE(WaitForEvent(EVENT_OBJECT_FOCUS, 1));
    PostMessageW(board, WM_CHAR, L'8', 0);
    EXPECT_TRUE(WaitForEvent(EVENT_OBJECT_VALUECHANGE, 1));
    EXPECT_EQ(L"8", Text(table, &IAccessible::get_accValue, 1));
    EXPECT_EQ(L"Row 1, column 1, 8", Text(table, &IAccessible::get_accName, 1));
    PostMessageW(board, WM_CHAR, L'0', 0);
    PostMessageW(board, WM_CHAR, L'9', 0);
    EXPECT_TRUE(WaitForEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, 1));
    EXPECT_EQ(L"9 not allowed here: row 1 holds a 9", Text(table, &IAccessible::get_accDescription, 1));
    EXPECT_EQ(L"9 not allowed here: row 1 holds a 9", Text(table, &IAccessible::get_accDescription, CHILDID_SELF));
    EXPECT_EQ(L"", Text(table, &IAccessible::get_accValue, 1));

    // The pause hides the digits from a reader too; its end gives the cell the focus again.
    PostMessageW(board, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitForEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, 1));
    EXPECT_EQ(L"Paused. Escape goes on.", Text(table, &IAccessible::get_accDescription, CHILDID_SELF));
    EXPECT_EQ(L"Row 1, column 2, hidden by the pause", Text(table, &IAccessible::get_accName, 2));
    EXPECT_EQ(L"", Text(table, &IAccessible::get_accValue, 2));
    PostMessageW(board, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitForEvent(EVENT_OBJECT_FOCUS, 1));
    EXPECT_EQ(L"9", Text(table, &IAccessible::get_accValue, 2));

    UnhookWinEvent(hook);
    table->Release();
    EXPECT_EQ(0, program.Close(board));
    CoUninitialize();
}

}  // namespace
