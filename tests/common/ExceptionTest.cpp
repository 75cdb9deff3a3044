// Tests of Exception's message and the last-error text.
#include "common/Exception.h"
#include "common/LastErrorText.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

namespace {

std::wstring Message(const Exception& e) { return e.GetMessageText() ? e.GetMessageText() : L"<null>"; }

TEST(ExceptionTest, PercentRule) {
    EXPECT_EQ(L"100% done x", Message(Exception(L"100%% done %s", L"x")));
    EXPECT_EQ(L"@0/0@", Message(Exception(L"%s", L"@0/0@")));   // no "%%": kept
    EXPECT_EQ(L"%%", Message(Exception(L"%%%s", L"@0/0@")));     // "%%": turned into "%"
    EXPECT_EQ(L"Window::LoadMenu(101) - gone", Message(Exception(L"Window::LoadMenu(%i) - %s", 101, L"gone")));
}

TEST(ExceptionTest, NullFormatLeavesTheMessageEmpty) {
    Exception e(nullptr);
    EXPECT_EQ(nullptr, e.GetMessageText());
    EXPECT_STREQ(L"Object", e.GetName());
}

TEST(ExceptionTest, RaisedAsPointer) {
    try {
        throw new Exception(L"File::Write()\nFile : %s\n%s", L"a.txt", L"disk full");
    } catch (Exception* e) {
        EXPECT_EQ(L"File::Write()\nFile : a.txt\ndisk full", Message(*e));
        delete e;
    }
}

TEST(LastErrorTextTest, GivesTheSystemTextWithItsLineBreak) {
#ifdef _WIN32
    SetLastError(ERROR_FILE_NOT_FOUND);
#else
    errno = ENOENT;
#endif
    std::wstring text = GetLastErrorText();
    ASSERT_GT(text.size(), 2u);
    EXPECT_EQ(L"\r\n", text.substr(text.size() - 2));
    EXPECT_NE(std::wstring::npos, text.find(L"ile")) << std::string(text.begin(), text.end());
}

}  // namespace
