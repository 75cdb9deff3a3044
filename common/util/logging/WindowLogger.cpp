// WindowLogger: the log window, a log sink that shows its texts in an edit control.
#include "WindowLogger.h"

#include "DebugOutput.h"
#include "FileLogger.h"
#include "common/Exception.h"
#include "common/IApplication.h"
#include "common/LastErrorText.h"
#include "common/String.h"
#include "common/Thread/CriticalSectionLock.h"
#include "common/gui/DpiScale.h"
#include "common/gui/WindowMessageRouter.h"
#include "languages/Language.h"

#include <commdlg.h>

#include <memory>
#include <string>

// The 32-bit program registers its class and shows its save dialog with the structures
// of 32-bit Windows.
#ifndef _WIN64
static_assert(sizeof(WNDCLASSEXW) == 48, "WNDCLASSEXW of 32-bit Windows");
static_assert(sizeof(OPENFILENAMEW) == 88, "OPENFILENAMEW of 32-bit Windows");
#endif

namespace util {
namespace logging {

namespace {

const WORD kProgramIcon = 100;
const DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_MAXIMIZE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                         ES_AUTOVSCROLL | ES_AUTOHSCROLL;
// How long GetInstance waits for the thread to start, in milliseconds.
const DWORD kStartTimeout = 5000;
// Long enough for any path the save dialog may give.
const DWORD kFileNameSize = 32768;
// The edit control's font height, in pixels at 96 DPI.
const int kFontHeight = 15;
// Posted to the log window when texts from other threads wait to be shown.
const UINT kShowPendingMessage = WM_APP + 1;
// Asks the window's thread to show the texts in the current language.
const UINT kShowTextsMessage = WM_APP + 2;

void WriteUnshown(const wchar_t* text) {
    WriteDebugOutput(L"Could not be appended to WindowLogger : ");
    WriteDebugOutput(text);
    WriteDebugOutput(L"\r\n");
}

}  // namespace

WindowLogger* WindowLogger::instance_ = nullptr;

WindowLogger::WindowLogger() : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

WindowLogger* WindowLogger::GetInstance() {
    if (instance_ != nullptr) return instance_;
    // Published first: the window procedure finds the object through it while the
    // window is being made.
    instance_ = new WindowLogger();
    instance_->RegisterClass();
    instance_->InitInstance();
    instance_->Start();
    // Until the thread has its message queue: it is then idle, and a process that ends
    // at once does not end it halfway through its start.
    WaitForSingleObject(instance_->ready_, kStartTimeout);
    return instance_;
}

intptr_t WindowLogger::Run() {
    MSG message;
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // makes the queue
    SetEvent(ready_);
    while (GetMessageW(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

// The window is never touched here: a message posted to it asks its thread to show the
// texts, and posting never waits for that thread.
void WindowLogger::Log(const wchar_t* text) {
    if (!logToScreen_) return;
    String converted(text);
    converted.Replace(L"\n", L"\r\n");
    converted.Replace(L"\r\r", L"\r");
    bool onWindowThread;
    {
        CriticalSectionLock locked(lock_);
        if (window_ == nullptr) {
            WriteUnshown(text);
            return;
        }
        if (converted.GetLength() == 0) return;
        pending_.append(converted.GetText(), converted.GetLength());
        onWindowThread = GetCurrentThreadId() == windowThread_;
        if (!onWindowThread && !showPosted_) showPosted_ = PostMessageW(window_, kShowPendingMessage, 0, 0) != FALSE;
    }
    if (onWindowThread) ShowPending();
}

void WindowLogger::ShowPending() {
    std::wstring texts;
    {
        CriticalSectionLock locked(lock_);
        texts.swap(pending_);
        showPosted_ = false;
    }
    if (texts.empty()) return;
    if (edit_ == nullptr) {
        WriteUnshown(texts.c_str());  // the window came without its edit control
        return;
    }
    LRESULT end = GetWindowTextLengthW(edit_);
    SendMessageW(edit_, EM_SETSEL, end, end);
    SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(texts.c_str()));
}

void WindowLogger::RegisterClass() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(WNDCLASSEXW);
    windowClass.style = CS_VREDRAW | CS_HREDRAW;
    windowClass.lpfnWndProc = &WindowLogger::WindowProcedure;
    windowClass.hInstance = instance;
    // Both icons are shared resources, released with the module.
    windowClass.hIcon = LoadIconW(instance, L"IDI_LOGWINDOWICON");
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = GetName();
    windowClass.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(kProgramIcon));
    if (RegisterClassExW(&windowClass) == 0) throw new Exception(L"WindowLogger::RegisterClass()");
}

bool WindowLogger::InitInstance() {
    if (window_ != nullptr) {
        // Forgotten first: destroying a window that is being replaced ends nothing. Texts
        // that wait stay for the new window (the message posted for them goes with the
        // old one).
        HWND old = window_;
        {
            CriticalSectionLock locked(lock_);
            window_ = nullptr;
            showPosted_ = false;
        }
        edit_ = nullptr;
        DestroyWindow(old);
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND window = CreateWindowExW(0, GetName(), nullptr, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) throw new Exception(L"WindowLogger::InitInstance()\n%s", GetLastErrorText());
    {
        CriticalSectionLock locked(lock_);
        window_ = window;
        windowThread_ = GetCurrentThreadId();
    }
    edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", nullptr, kEditStyle, 0, 0, 100, 100, window_, nullptr,
                            instance, nullptr);
    ShowFont(gui::DpiScale::OfWindow(window_).GetDpi());
    SendMessageW(edit_, EM_LIMITTEXT, 0, 0);
    logToScreen_ = true;
    programName_ = IApplication::GetCurrent()->GetApplicationName();
    ShowTexts();
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    ShowPending();
    return true;
}

void WindowLogger::ShowFont(int dpi) {
    HFONT previous = font_;
    font_ = CreateFontW(gui::DpiScale(dpi).Pixels(kFontHeight), 0, 0, 0, 0, FALSE, FALSE, FALSE, 0, 0, 0, 0,
                        FF_SWISS, L"Courier New");
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    if (previous != nullptr) DeleteObject(previous);
}

void WindowLogger::OnDpiChanged(int dpi, const RECT& suggested) {
    ShowFont(dpi);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowLogger::RetellTexts() {
    if (instance_ != nullptr && instance_->window_ != nullptr) PostMessageW(instance_->window_, kShowTextsMessage, 0, 0);
}

void WindowLogger::ShowTexts() {
    SetWindowTextW(window_, Language::Say(TextId::kLogCaption, {programName_}).c_str());
    HMENU previous = GetMenu(window_);
    BuildMenu();
    if (previous != nullptr) DestroyMenu(previous);
    CheckMenuItem(GetMenu(window_), kLogToScreen, MF_BYCOMMAND | (logToScreen_ ? MF_CHECKED : MF_UNCHECKED));
}

void WindowLogger::BuildMenu() {
    struct Item {
        WORD command = 0;  // 0: a separator
        TextId text = TextId::kLogMenuFile;
        TextId modifier = TextId::kKeyCtrl;  // with key, the item's shortcut shown after its text
        const wchar_t* key = nullptr;        // "X" of "Ctrl+X"; null for none
    };
    struct Popup {
        TextId text;
        Item items[3];
        int count;
    };
    const Popup popups[] = {
        {TextId::kLogMenuFile,
         {{kSaveAs, TextId::kLogMenuSaveAs}, {}, {kExit, TextId::kLogMenuExit, TextId::kKeyCtrl, L"X"}},
         3},
        {TextId::kLogMenuView, {{kLogToScreen, TextId::kLogMenuLogToScreen}, {kClear, TextId::kLogMenuClear}}, 2},
        {TextId::kLogMenuHelp, {{kAbout, TextId::kLogMenuAbout, TextId::kKeyAlt, L"?"}}, 1},
    };
    HMENU bar = CreateMenu();
    for (const Popup& popup : popups) {
        HMENU menu = CreateMenu();
        if (menu == nullptr) continue;  // a pop-up that cannot be made is left out
        for (int i = 0; i < popup.count; ++i) {
            const Item& item = popup.items[i];
            if (item.command == 0) {
                InsertMenuW(menu, static_cast<UINT>(-1), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
                continue;
            }
            std::wstring text = Language::Text(item.text);
            if (item.key != nullptr) text += L"\t" + Language::Text(item.modifier) + L"+" + item.key;
            InsertMenuW(menu, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, item.command, text.c_str());
        }
        InsertMenuW(bar, static_cast<UINT>(-1), MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menu),
                    Language::Text(popup.text).c_str());
    }
    SetMenu(window_, bar);
}

bool WindowLogger::SaveAs() {
    auto fileName = std::make_unique<wchar_t[]>(kFileNameSize);
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(OPENFILENAMEW);
    dialog.hwndOwner = window_;
    // Pairs of a type's name and its pattern, each ending in a null, the list in two.
    std::wstring filter = Language::Text(TextId::kLogTextFiles) + L'\0' + L"*.txt" + L'\0' +
                          Language::Text(TextId::kLogAllFiles) + L'\0' + L"*.*" + L'\0';
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = fileName.get();
    dialog.nMaxFile = kFileNameSize;
    dialog.lpstrDefExt = L"txt";
    // A new file may be named; an existing one is replaced only on the user's word. The
    // process's current directory stays as it was.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) return false;

    // The lines as the edit control counts them, cut from its whole text: no line is
    // too long for the copy.
    int size = GetWindowTextLengthW(edit_) + 1;
    auto text = std::make_unique<wchar_t[]>(size);
    int length = GetWindowTextW(edit_, text.get(), size);
    FileLogger file(fileName.get());
    int lines = static_cast<int>(SendMessageW(edit_, EM_GETLINECOUNT, 0, 0));
    for (int line = 0; line < lines; ++line) {
        int first = static_cast<int>(SendMessageW(edit_, EM_LINEINDEX, line, 0));
        int count = static_cast<int>(SendMessageW(edit_, EM_LINELENGTH, first, 0));
        if (first < 0 || first > length) first = length;
        if (count > length - first) count = length - first;
        file.Log(std::wstring(text.get() + first, count).c_str());
        file.Log(L"\r\n");
    }
    return true;
}

LRESULT CALLBACK WindowLogger::WindowProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    // C++ exceptions cannot cross the system's dispatching: an Exception is kept and
    // raised again by the message loop after the dispatch.
    try {
        return instance_->MessageHandler(handle, message, wParam, lParam);
    } catch (Exception* e) {
        gui::WindowMessageRouter::GetInstance()->KeepException(e);
        return 0;
    }
}

LRESULT WindowLogger::MessageHandler(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE: Close(); return 0;
    case WM_DESTROY: OnDestroy(handle); return 0;
    case kShowPendingMessage: ShowPending(); return 0;
    case kShowTextsMessage: ShowTexts(); return 0;
    case WM_SIZE: OnSize(); return 0;
    case WM_DPICHANGED: OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_COMMAND: return OnCommand(handle, message, wParam, lParam);
    default: return DefWindowProcW(handle, message, wParam, lParam);
    }
}

LRESULT WindowLogger::OnCommand(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case kSaveAs: OnSaveAs(); return 0;
    case kExit: Close(); return 0;
    case kLogToScreen: ToggleLogToScreen(); return 0;
    case kClear: SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"")); return 0;
    default: return DefWindowProcW(handle, message, wParam, lParam);
    }
}

void WindowLogger::OnSaveAs() {
    try {
        SaveAs();
    } catch (Exception* e) {
        std::wstring text = Language::Say(TextId::kLogNotSaved, {e->GetMessageText()});
        delete e;
        wchar_t caption[128] = {};
        GetWindowTextW(window_, caption, 128);
        MessageBoxW(window_, text.c_str(), caption, MB_ICONERROR);
    }
}

// Later texts go to the diagnostic channel, not to a window that is gone, and so do those
// still waiting for it.
void WindowLogger::OnDestroy(HWND handle) {
    if (handle != window_) return;  // a replaced window
    std::wstring unshown;
    {
        CriticalSectionLock locked(lock_);
        window_ = nullptr;
        unshown.swap(pending_);
        showPosted_ = false;
    }
    edit_ = nullptr;
    if (!unshown.empty()) WriteUnshown(unshown.c_str());
}

void WindowLogger::OnSize() {
    if (window_ == nullptr) return;  // the window is still being made
    RECT client;
    GetClientRect(window_, &client);
    SetWindowPos(edit_, nullptr, 0, 0, client.right, client.bottom, SWP_SHOWWINDOW);
}

// Only hidden: the log window is a side window, and its text is kept for the next Show.
void WindowLogger::Close() { ShowWindow(window_, SW_HIDE); }

void WindowLogger::Show() {
    if (window_ != nullptr) ShowWindow(window_, SW_SHOWNORMAL);
}

void WindowLogger::ToggleLogToScreen() {
    logToScreen_ = !logToScreen_;
    CheckMenuItem(GetMenu(window_), kLogToScreen, MF_BYCOMMAND | (logToScreen_ ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace logging
}  // namespace util
