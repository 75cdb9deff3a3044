// Tests of the application object, the entry point's work and the message loop.
#include "RecordingWindow.h"
#include "tests/support/DialogDriver.h"

#include "app/WindowsApplication.h"
#include "common/Exception.h"

#include <gtest/gtest.h>

namespace {

// Raises from inside a message handler, or destroys itself there.
class FaultyWindow : public RecordingWindow {
public:
    static const UINT kRaise = WM_USER + 1;
    static const UINT kDestroySelf = WM_USER + 2;
    int OnUserMessage(UINT message, WPARAM, LPARAM) override {
        if (message == kRaise) throw new Exception(L"FaultyWindow::OnUserMessage()\n%s", L"boom");
        if (message == kDestroySelf) Destroy();
        return 1;
    }
};

std::wstring Text(const String& s) { return s.GetText() ? s.GetText() : L"<null>"; }

TEST(ApplicationTest, ProgramPathAndName) {
    String path, name;
    Application::SplitProgramPath(L"C:\\games\\my.app.exe", L"C:\\work", path, name);
    EXPECT_EQ(L"C:\\games\\my.app.exe", Text(path));
    EXPECT_EQ(L"my.app", Text(name));
    Application::SplitProgramPath(L"enneo.exe", L"C:\\work", path, name);
    EXPECT_EQ(L"C:\\work\\enneo.exe", Text(path));
    EXPECT_EQ(L"enneo", Text(name));
    Application::SplitProgramPath(nullptr, L"C:\\work", path, name);
    EXPECT_TRUE(path.IsEmpty());
    EXPECT_TRUE(name.IsEmpty());
}

TEST(ApplicationTest, KnowsItsProgramAndDirectory) {
    Application* application = Application::GetInstance();
    ASSERT_NE(nullptr, application);
    EXPECT_STREQ(L"framework_tests", application->GetApplicationName());
    std::wstring directory = application->GetStartDirectory();
    EXPECT_EQ(L'\\', directory.back());
    EXPECT_GE(application->GetArgumentCount(), 1);
    EXPECT_STREQ(ENNEO_VERSION_TEXT, application->GetProductVersion());
    EXPECT_STREQ(L"Enneo Project", application->GetCompanyName());
    EXPECT_STREQ(L"Enneo Tessary", application->GetProductName());
    EXPECT_STREQ(L"Enneo", application->GetOriginalFilename());
}

TEST(ApplicationTest, TheQuitCodeIsTheExitCode) {
    PostQuitMessage(0);
    EXPECT_EQ(0, RunApplication());
    PostQuitMessage(3);
    EXPECT_EQ(3, RunApplication());
}

TEST(ApplicationTest, AnExceptionFromAHandlerIsShownAndEndsWithMinusOne) {
    FaultyWindow window;
    window.Create(nullptr);
    PostMessageW(window.GetHandle(), FaultyWindow::kRaise, 0, 0);
    DialogDriver driver({{L"Exception thrown", L"", IDOK}});
    EXPECT_EQ(-1, RunApplication());
    EXPECT_EQ(std::vector<std::wstring>{L"FaultyWindow::OnUserMessage()\nboom"}, driver.Texts());
    window.Destroy();
}

TEST(ApplicationTest, TheLoopDisposesOfAWindowThatDestroyedItself) {
    auto* window = new FaultyWindow();
    HWND handle = window->Create(nullptr);
    int destructions = RecordingWindow::destructions;
    PostMessageW(handle, FaultyWindow::kDestroySelf, 0, 0);
    PostQuitMessage(0);
    EXPECT_EQ(0, RunApplication());
    EXPECT_EQ(destructions + 1, RecordingWindow::destructions);
    EXPECT_EQ(nullptr, gui::WindowMessageRouter::GetInstance()->LookUp(handle));
}

}  // namespace
