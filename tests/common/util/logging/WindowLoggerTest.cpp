// Tests of the log window: opening at start, line ends, Log to screen, Clear, Save As,
// Exit and closing, which hide it.
#include "common/gui/WindowMessageRouter.h"
#include "common/util/logging/DebugOutput.h"
#include "common/util/logging/LoggerManager.h"
#include "common/util/logging/WindowLogger.h"
#include "languages/Language.h"

#include "tests/common/RaisedBy.h"
#include "tests/common/ScopedCall.h"
#include "tests/common/TestFiles.h"
#include "tests/common/gui/ControlPlaces.h"
#include "tests/support/DialogDriver.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

using util::logging::WindowLogger;

namespace {

std::vector<std::wstring> debugOutput;

void RecordDebugOutput(const wchar_t* text) { debugOutput.push_back(text); }

std::string Bytes(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

// The log window, shown and empty with Log to screen on, whatever an earlier case left;
// the diagnostic channel is recorded.
class WindowLoggerTest : public ::testing::Test {
protected:
    void SetUp() override {
        log_ = WindowLogger::GetInstance();
        log_->Show();  // an earlier case closed it
        Command(WindowLogger::kClear);
        if (!log_->IsLoggingToScreen()) Command(WindowLogger::kLogToScreen);
        debugOutput.clear();
    }
    void TearDown() override {
        MSG quit;
        PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    void Command(WORD command) { SendMessageW(log_->GetWindow(), WM_COMMAND, command, 0); }
    std::wstring Shown() {
        wchar_t text[256] = {};
        GetWindowTextW(log_->GetEditControl(), text, 256);
        return text;
    }
    bool Checked() {
        return (GetMenuState(GetMenu(log_->GetWindow()), WindowLogger::kLogToScreen, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    // Whether the quit message was posted, with code 0.
    bool QuitPosted() {
        MSG quit;
        return PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 0;
    }
    // Saves through the real dialog, answering each box in turn; every box must come.
    bool SaveAs(std::vector<DialogDriver::Answer> answers) {
        DialogDriver driver(std::move(answers));
        bool saved = log_->SaveAs();
        for (const std::wstring& text : driver.Texts()) EXPECT_NE(L"<no dialog>", text);
        return saved;
    }

    WindowLogger* log_ = nullptr;
    ScopedCall<util::logging::DebugOutputWriter> debugWriter_{&util::logging::SetDebugOutputWriter, &RecordDebugOutput};
    TempFolder folder_;
};

TEST_F(WindowLoggerTest, OneWindowWithItsClassCaptionMenuAndEditControl) {
    EXPECT_EQ(log_, WindowLogger::GetInstance());
    HWND window = log_->GetWindow();
    EXPECT_TRUE(IsWindowVisible(window));
    wchar_t text[64] = {};
    GetClassNameW(window, text, 64);
    EXPECT_STREQ(L"Thread", text);
    // Opened by the application's constructor before the program's name was known.
    GetWindowTextW(window, text, 64);
    EXPECT_STREQ(L"LoggingApplication's log", text);
    util::logging::LoggerManager::GetInstance()->Log(L"once");
    EXPECT_EQ(L"once", Shown());

    HMENU menu = GetMenu(window);
    ASSERT_EQ(3, GetMenuItemCount(menu));
    const std::pair<WORD, const wchar_t*> items[] = {
        {WindowLogger::kSaveAs, L"Save &As ..."}, {WindowLogger::kExit, L"E&xit\tCtrl+X"},
        {WindowLogger::kLogToScreen, L"Log to screen"}, {WindowLogger::kClear, L"Clear"},
        {WindowLogger::kAbout, L"&About ...\tAlt+?"}};
    for (const auto& item : items) {
        GetMenuStringW(menu, item.first, text, 64, MF_BYCOMMAND);
        EXPECT_STREQ(item.second, text);
    }
    EXPECT_EQ(3, GetMenuItemCount(GetSubMenu(menu, 0)));  // with the separator
    EXPECT_TRUE(Checked());

    // The edit control fills the client area after every size change.
    SetWindowPos(window, nullptr, 0, 0, 420, 330, SWP_NOMOVE | SWP_NOZORDER);
    RECT client, edit;
    GetClientRect(window, &client);
    GetWindowRect(log_->GetEditControl(), &edit);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&edit), 2);
    EXPECT_EQ(client.right, edit.right - edit.left);
    EXPECT_EQ(client.bottom, edit.bottom - edit.top);
}

TEST_F(WindowLoggerTest, ADpiChangeRemakesTheFontAndTakesTheSuggestedSize) {
    HWND window = log_->GetWindow();
    HWND edit = log_->GetEditControl();
    EXPECT_EQ(15, FontHeight(edit));
    ChangeDpi(window, 192, 600, 400);
    EXPECT_EQ(30, FontHeight(edit));
    ExpectRect({0, 0, 600, 400}, PlaceOf(edit, window), "the edit control over the whole client area");
    ChangeDpi(window, 96, 500, 300);
    EXPECT_EQ(15, FontHeight(edit));
}

TEST_F(WindowLoggerTest, AppendsWithLineEndsMadeWholeAndNoneAdded) {
    log_->Log(L"one\ntwo");
    log_->Log(L"\r\nthree");
    log_->Log(L"");
    log_->Log(L" four");
    EXPECT_EQ(L"one\r\ntwo\r\nthree four", Shown());
    EXPECT_EQ(3, SendMessageW(log_->GetEditControl(), EM_GETLINECOUNT, 0, 0));
    // Typed text stays; logged text goes after it.
    SendMessageW(log_->GetEditControl(), EM_SETSEL, 0, 0);
    SendMessageW(log_->GetEditControl(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L">"));
    log_->Log(L"!");
    EXPECT_EQ(L">one\r\ntwo\r\nthree four!", Shown());
    EXPECT_TRUE(debugOutput.empty());
}

TEST_F(WindowLoggerTest, LogToScreenUncheckedDropsTextsEverywhere) {
    log_->Log(L"kept ");
    Command(WindowLogger::kLogToScreen);
    EXPECT_FALSE(log_->IsLoggingToScreen());
    EXPECT_FALSE(Checked());
    log_->Log(L"dropped");
    Command(WindowLogger::kLogToScreen);
    EXPECT_TRUE(Checked());
    log_->Log(L"again");
    EXPECT_EQ(L"kept again", Shown());
    EXPECT_TRUE(debugOutput.empty());
}

TEST_F(WindowLoggerTest, SaveAsWritesEveryLineWithItsLineEnd) {
    log_->Log(L"a\nb");
    // A new file, named by a path longer than a short name buffer would take.
    std::wstring path = folder_.Path("a-log-file-name-that-makes-the-whole-path-long-enough-to-matter.txt");
    ASSERT_GT(path.size(), 80u);
    EXPECT_TRUE(SaveAs({{L"", path, IDOK}}));
    EXPECT_EQ(Bytes({0xFF, 0xFE, 'a', 0, '\r', 0, '\n', 0, 'b', 0, '\r', 0, '\n', 0}), ReadBytes(path));

    // Cleared, an empty edit control still has one line; the old file is replaced on
    // the user's word.
    Command(WindowLogger::kClear);
    EXPECT_EQ(L"", Shown());
    EXPECT_TRUE(SaveAs({{L"", path, IDOK}, {L"", L"", IDYES}}));
    EXPECT_EQ(Bytes({0xFF, 0xFE, '\r', 0, '\n', 0}), ReadBytes(path));

    std::wstring cancelled = folder_.Path("cancelled.txt");
    EXPECT_FALSE(SaveAs({{L"", cancelled, IDCANCEL}}));
    EXPECT_FALSE(FileExists(cancelled));
}

TEST_F(WindowLoggerTest, AFailedSaveIsToldInABoxAndTheWindowStays) {
    std::wstring path = folder_.Path("locked.txt");
    WriteBytes(path, "old");
    // Held open without sharing, so that the log cannot create it anew.
    HANDLE locked = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    DialogDriver driver({{L"", path, IDOK}, {L"", L"", IDYES}, {L"", L"", IDOK}});
    Command(WindowLogger::kSaveAs);  // through the window procedure, as the menu does
    std::vector<std::wstring> texts = driver.Texts();
    CloseHandle(locked);
    ASSERT_EQ(3u, texts.size());
    EXPECT_EQ(L"The log could not be saved: FileLogger::GetFile() - CreateFile (" + path + L")", texts[2]);
    EXPECT_EQ(L"<nothing raised>", RaisedBy([] { gui::WindowMessageRouter::GetInstance()->RaiseKeptException(); }));
    EXPECT_TRUE(IsWindowVisible(log_->GetWindow()));
    EXPECT_EQ("old", ReadBytes(path));
}

// Another thread's Log never waits for the window's thread (which here waits for it): its
// texts are shown, in the order they came, when the window's thread next handles the
// window's messages or logs itself, and go to the diagnostic channel when the window
// goes first.
TEST_F(WindowLoggerTest, TextsFromAnotherThreadWaitForTheWindowsThreadInOrder) {
    auto logElsewhere = [this](const wchar_t* text) { std::thread([this, text] { log_->Log(text); }).join(); };
    log_->Log(L"a");
    logElsewhere(L"b\n");
    EXPECT_EQ(L"a", Shown());
    log_->Log(L"c");
    EXPECT_EQ(L"ab\r\nc", Shown());
    logElsewhere(L"d");
    MSG message;
    while (PeekMessageW(&message, log_->GetWindow(), 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    EXPECT_EQ(L"ab\r\ncd", Shown());
    EXPECT_TRUE(debugOutput.empty());

    logElsewhere(L"unshown");
    DestroyWindow(log_->GetWindow());
    EXPECT_EQ(std::vector<std::wstring>({L"Could not be appended to WindowLogger : ", L"unshown", L"\r\n"}), debugOutput);
    log_->InitInstance();
}

// The caption and the menu come from the catalogue in the language chosen, the items'
// keys made from its key names, again after a change; Log to screen keeps its mark.
TEST_F(WindowLoggerTest, ShowTextsSpeaksTheCurrentLanguageAndKeepsTheCheckMark) {
    HWND window = log_->GetWindow();
    Command(WindowLogger::kLogToScreen);
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    std::wstring name = text;
    name.erase(name.size() - std::wcslen(L"'s log"));
    Language::Choose(Language::Find(L"qps-ploc"));
    log_->ShowTexts();
    GetWindowTextW(window, text, 128);
    std::wstring caption = text;
    GetMenuStringW(GetMenu(window), 0, text, 128, MF_BYPOSITION);
    std::wstring file = text;
    GetMenuStringW(GetMenu(window), WindowLogger::kExit, text, 128, MF_BYCOMMAND);
    std::wstring exit = text;
    GetMenuStringW(GetMenu(window), WindowLogger::kAbout, text, 128, MF_BYCOMMAND);
    std::wstring about = text;
    const std::wstring expected[] = {
        Language::Say(TextId::kLogCaption, {name}), Language::Text(TextId::kLogMenuFile),
        Language::Text(TextId::kLogMenuExit) + L"\t" + Language::Text(TextId::kKeyCtrl) + L"+X",
        Language::Text(TextId::kLogMenuAbout) + L"\t" + Language::Text(TextId::kKeyAlt) + L"+?"};
    Language::Choose(Language::kEnglish);
    EXPECT_EQ(expected[0], caption);
    EXPECT_EQ(expected[1], file);
    EXPECT_EQ(expected[2], exit);
    EXPECT_EQ(expected[3], about);
    EXPECT_NE(L"E&xit\tCtrl+X", exit);
    EXPECT_FALSE(Checked());

    log_->ShowTexts();
    GetMenuStringW(GetMenu(window), WindowLogger::kExit, text, 128, MF_BYCOMMAND);
    EXPECT_STREQ(L"E&xit\tCtrl+X", text);
    EXPECT_FALSE(Checked());
}

// Neither Exit nor closing ends the program: both hide the window, which keeps its text
// and takes more while hidden, and Show brings it back.
TEST_F(WindowLoggerTest, AboutDoesNothingWhileExitAndCloseHideTheWindow) {
    Command(WindowLogger::kAbout);
    EXPECT_TRUE(IsWindowVisible(log_->GetWindow()));
    EXPECT_FALSE(QuitPosted());

    HWND window = log_->GetWindow();
    log_->Log(L"kept ");
    Command(WindowLogger::kExit);
    EXPECT_FALSE(IsWindowVisible(window));
    log_->Log(L"hidden ");
    log_->Show();
    EXPECT_TRUE(IsWindowVisible(window));
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(QuitPosted());
    log_->Show();
    EXPECT_EQ(window, log_->GetWindow());
    EXPECT_EQ(L"kept hidden ", Shown());
    EXPECT_TRUE(debugOutput.empty());

    log_->InitInstance();  // in place of the shown window: the loop goes on
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(QuitPosted());
    EXPECT_TRUE(IsWindowVisible(log_->GetWindow()));
    EXPECT_TRUE(log_->IsLoggingToScreen());
    // With no window, texts go to the diagnostic channel.
    DestroyWindow(log_->GetWindow());
    EXPECT_FALSE(QuitPosted());
    log_->Log(L"late");
    EXPECT_EQ(std::vector<std::wstring>({L"Could not be appended to WindowLogger : ", L"late", L"\r\n"}), debugOutput);
    log_->InitInstance();
}

}  // namespace
