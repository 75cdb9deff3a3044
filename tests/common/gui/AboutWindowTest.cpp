// Tests of the About window: content, fonts, layout, OK and link notifications.
#include "app/Application.h"
#include "common/gui/AboutWindow.h"
#include "languages/Language.h"
#include "tests/common/gui/ControlPlaces.h"
#include "tests/support/ShellCallRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gui::AboutWindow;

namespace {

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// An About window over a plain owner window; the shell is recorded, not called.
class AboutWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExW(0, L"Static", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        handle_ = about_.Create(owner_);
    }
    void TearDown() override {
        about_.Destroy();
        DestroyWindow(owner_);
    }

    LRESULT Notify(HWND from, int code, int link, const wchar_t* url) {
        NMLINK notification = {};
        notification.hdr.hwndFrom = from;
        notification.hdr.code = static_cast<UINT>(code);
        notification.item.iLink = link;
        wcscpy(notification.item.szUrl, url);
        return SendMessageW(handle_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notification));
    }

    ShellCallRecorder shell_;
    AboutWindow about_;
    HWND owner_ = nullptr;
    HWND handle_ = nullptr;
};

TEST_F(AboutWindowTest, ShowsNameVersionAndCompanyInACaptionedPopUp) {
    const wchar_t* name = Application::GetInstance()->GetApplicationName();
    EXPECT_EQ(std::wstring(L"About ") + name, TextOf(handle_));
    EXPECT_EQ(owner_, GetWindow(handle_, GW_OWNER));
    LONG style = GetWindowLongW(handle_, GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(WS_POPUP | WS_CAPTION), style & (WS_POPUP | WS_CAPTION));
    EXPECT_EQ(0, style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    EXPECT_EQ(name, TextOf(about_.GetNameLabel().GetHandle()));
    auto font = reinterpret_cast<HFONT>(SendMessageW(about_.GetNameLabel().GetHandle(), WM_GETFONT, 0, 0));
    LOGFONTW description = {};
    ASSERT_NE(0, GetObjectW(font, sizeof(description), &description));
    EXPECT_STREQ(L"Tahoma", description.lfFaceName);
    EXPECT_EQ(FW_BOLD, description.lfWeight);
    EXPECT_EQ(15, description.lfHeight);
    EXPECT_FALSE(description.lfItalic);

    EXPECT_EQ(L"\nVersion " ENNEO_VERSION_TEXT L"\nEnneo Tessary\n\nEnneo Project",
              TextOf(about_.GetInformation().GetHandle()));
    HWND ok = about_.GetOkButton().GetHandle();
    EXPECT_EQ(L"OK", TextOf(ok));
    EXPECT_EQ(AboutWindow::kOkCommand, GetDlgCtrlID(ok));
    EXPECT_NE(nullptr, about_.GetIcon().GetImage());

    // The final size: the client area of a 280 x 220 window.
    RECT outer;
    GetWindowRect(handle_, &outer);
    EXPECT_LT(outer.right - outer.left, 280);
    EXPECT_LT(outer.bottom - outer.top, 220);
}

TEST_F(AboutWindowTest, LaysTheContentOutOnEverySizeChange) {
    RECT outer, client;
    GetWindowRect(handle_, &outer);
    GetClientRect(handle_, &client);
    int frameWidth = (outer.right - outer.left) - client.right;
    int frameHeight = (outer.bottom - outer.top) - client.bottom;
    SetWindowPos(handle_, nullptr, 0, 0, 300 + frameWidth, 250 + frameHeight, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(handle_, &outer);
    POINT clientBottom = {0, 250};
    ClientToScreen(handle_, &clientBottom);
    int bottomFrame = outer.bottom - clientBottom.y;

    ExpectRect({242, 10, 290, 58}, PlaceOf(about_.GetIcon().GetHandle(), handle_), "icon at the top right");
    ExpectRect({10, 10, 290, 25}, PlaceOf(about_.GetNameLabel().GetHandle(), handle_), "name label");
    ExpectRect({10, 25, 290, 205}, PlaceOf(about_.GetInformation().GetHandle(), handle_), "information text");
    // 65 wide (from 10 to the absolute right 75), centred, a few pixels lower by the frame.
    int top = 215 + 3 - bottomFrame;
    ExpectRect({117, top, 182, top + 25}, PlaceOf(about_.GetOkButton().GetHandle(), handle_), "OK button");
}

TEST_F(AboutWindowTest, TakesItsFontsIconAndLayoutToANewDpi) {
    HWND label = about_.GetNameLabel().GetHandle();
    HWND information = about_.GetInformation().GetHandle();
    EXPECT_EQ(15, FontHeight(label));
    int guiFontHeight = FontHeight(information);
    EXPECT_EQ(48, about_.GetIcon().GetImageHeight());

    ChangeDpi(handle_, 192, 540, 400);
    EXPECT_EQ(192, about_.GetDpiScale().GetDpi());
    EXPECT_EQ(30, FontHeight(label));
    EXPECT_EQ(2 * guiFontHeight, FontHeight(information));
    EXPECT_EQ(2 * guiFontHeight, FontHeight(about_.GetOkButton().GetHandle()));
    EXPECT_EQ(96, about_.GetIcon().GetImageHeight());
    ICONINFO icon = {};
    ASSERT_TRUE(GetIconInfo(static_cast<HICON>(about_.GetIcon().GetImage()), &icon));
    BITMAP image = {};
    GetObjectW(icon.hbmColor, sizeof(image), &image);
    DeleteObject(icon.hbmColor);
    DeleteObject(icon.hbmMask);
    EXPECT_EQ(96, image.bmWidth);

    // The layout of a 540 x 400 client area with every size doubled.
    ExpectRect({424, 20, 520, 116}, PlaceOf(about_.GetIcon().GetHandle(), handle_), "icon at the top right");
    ExpectRect({20, 20, 520, 50}, PlaceOf(label, handle_), "name label");
    ExpectRect({20, 50, 520, 310}, PlaceOf(information, handle_), "information text");
    RECT place = PlaceOf(about_.GetOkButton().GetHandle(), handle_);
    EXPECT_EQ(150 - 20, place.right - place.left);  // from the margin to the absolute right 150
    EXPECT_EQ(50, place.bottom - place.top);
}

// OK, closing (Alt+F4) and Escape each hide the window and keep it; the program goes on.
TEST_F(AboutWindowTest, OkCloseAndEscapeHideTheWindowAndOtherCommandsAreAnswered0) {
    about_.Show(SW_SHOWNORMAL);
    EXPECT_EQ(0, SendMessageW(handle_, WM_COMMAND, 12345, 0));
    EXPECT_TRUE(IsWindowVisible(handle_));
    SendMessageW(about_.GetOkButton().GetHandle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(handle_));
    EXPECT_TRUE(IsWindow(handle_));

    const std::pair<UINT, WPARAM> closings[] = {{WM_CLOSE, 0}, {WM_KEYDOWN, VK_ESCAPE}};
    for (const auto& closing : closings) {
        about_.Show(SW_SHOWNORMAL);
        SendMessageW(handle_, closing.first, closing.second, 0);
        EXPECT_FALSE(IsWindowVisible(handle_)) << closing.first;
        EXPECT_TRUE(IsWindow(handle_));
        MSG quit;
        EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << closing.first;
    }
}

// The texts come from the catalogue in the language chosen, again after a change: the
// pseudo-language's (which differ from English's), then English's again.
TEST_F(AboutWindowTest, ShowTextsSpeaksTheCurrentLanguage) {
    const std::wstring name = Application::GetInstance()->GetApplicationName();
    HWND information = about_.GetInformation().GetHandle();
    HWND ok = about_.GetOkButton().GetHandle();
    Language::Choose(Language::Find(L"qps-ploc"));
    about_.ShowTexts();
    const std::wstring shown[] = {TextOf(handle_), TextOf(information), TextOf(ok)};
    const std::wstring expected[] = {
        Language::Say(TextId::kAboutCaption, {name}),
        L"\n" + Language::Say(TextId::kAboutVersion, {ENNEO_VERSION_TEXT}) + L"\nEnneo Tessary\n\nEnneo Project",
        Language::Text(TextId::kDialogOk)};
    Language::Choose(Language::kEnglish);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(expected[i], shown[i]);
    EXPECT_NE(L"OK", shown[2]);

    about_.ShowTexts();
    EXPECT_EQ(L"About " + name, TextOf(handle_));
    EXPECT_EQ(L"OK", TextOf(ok));
}

TEST_F(AboutWindowTest, OpensOnlyTheFirstLinkOfTheInformationText) {
    HWND information = about_.GetInformation().GetHandle();
    EXPECT_EQ(0, Notify(about_.GetOkButton().GetHandle(), NM_CLICK, 0, L"http://other.example/"));
    EXPECT_EQ(0, Notify(information, NM_CLICK, 1, L"http://second.example/"));
    EXPECT_EQ(0, Notify(information, NM_DBLCLK, 0, L"http://double.example/"));
    EXPECT_TRUE(shell_.GetCalls().empty());

    EXPECT_EQ(1, Notify(information, NM_CLICK, 0, L"http://first.example/"));
    EXPECT_EQ(1, Notify(information, NM_RETURN, 0, L"http://entered.example/"));
    const std::vector<ShellCall>& shellCalls = shell_.GetCalls();
    ASSERT_EQ(2u, shellCalls.size());
    EXPECT_EQ(nullptr, shellCalls[0].owner);
    EXPECT_EQ(L"open", shellCalls[0].verb);
    EXPECT_EQ(L"http://first.example/", shellCalls[0].target);
    EXPECT_TRUE(shellCalls[0].noParameters && shellCalls[0].noDirectory);
    EXPECT_EQ(SW_SHOW, shellCalls[0].showCommand);
    EXPECT_EQ(L"http://entered.example/", shellCalls[1].target);
}

}  // namespace
