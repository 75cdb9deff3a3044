// EnneoWindow: the board window, the program's main window.
#include "EnneoWindow.h"

#include "BoardMenu.h"
#include "Clipboard.h"
#include "GameOwner.h"
#include "SystemLook.h"
#include "board/KeyTable.h"
#include "common/IApplication.h"
#include "common/gui/MemoryCanvas.h"
#include "common/gui/SessionNotification.h"
#include "common/gui/ShellOpen.h"
#include "common/util/logging/LoggerManager.h"
#include "common/util/logging/WindowLogger.h"
#include "puzzle/GameFile.h"
#include "resources/resource.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>

// The 32-bit program hands the dialog the 88-byte structure of 32-bit Windows.
#ifndef _WIN64
static_assert(sizeof(OPENFILENAMEW) == 88, "OPENFILENAMEW of 32-bit Windows");
#endif
static_assert(KeyTable::kLeft == VK_LEFT && KeyTable::kUp == VK_UP && KeyTable::kRight == VK_RIGHT &&
                  KeyTable::kDown == VK_DOWN && KeyTable::kInsert == VK_INSERT && KeyTable::kDelete == VK_DELETE &&
                  KeyTable::kNumpad0 == VK_NUMPAD0 && KeyTable::kEscape == VK_ESCAPE && KeyTable::kPause == VK_PAUSE,
              "the key table's virtual-key codes are Windows' own");

namespace {

const UINT_PTR kKeepTimer = 1;
// The timer that brings the time in the caption up to date.
const UINT_PTR kClockTimer = 2;
const UINT kOpenHandedOver = WM_APP;

// The game clock's source: the interrupt time without the time the computer slept or
// hibernated, monotonic whatever the system time does.
uint64_t AwakeMilliseconds() {
    ULONGLONG hundredNanoseconds = 0;
    QueryUnbiasedInterruptTime(&hundredNanoseconds);
    return hundredNanoseconds / 10000;
}

// A list of file types in the dialogs' double-terminated form, from one with '|'s.
std::wstring FileTypes(std::wstring text) {
    std::replace(text.begin(), text.end(), L'|', L'\0');
    return text;
}

// Save's types: puzzle files ("EnneoFiles", the first), then game files ("Enneo game").
const std::wstring& SaveTypes() {
    static const std::wstring types =
        FileTypes(L"EnneoFiles|*.txt;*.enn|Enneo game|*" + std::wstring(GameFile::kExtension) + L"|");
    return types;
}

// Open's types: Save's, then the common forms of other programs and puzzle sites.
const std::wstring& OpenTypes() {
    static const std::wstring types =
        SaveTypes() + FileTypes(
                          L"SadMan puzzle|*.sdk|Simple Sudoku puzzle|*.ss|Puzzle list|*.sdm;*.txt|"
                          L"All puzzle files|*.enn;*.txt;*.sdk;*.ss;*.sdm;*" +
                          std::wstring(GameFile::kExtension) + L"|All files|*.*|");
    return types;
}

// The file dialogs' shared set-up: owner, the file types, the name buffer.
OPENFILENAMEW FileDialog(HWND owner, const std::wstring& types, wchar_t* fileName, DWORD size, DWORD flags) {
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(OPENFILENAMEW);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = types.c_str();
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = size;
    dialog.Flags = flags | OFN_NOCHANGEDIR;  // the current directory is not the dialog's to change
    return dialog;
}

EnneoPuzzle SamplePuzzle() {
    EnneoPuzzle puzzle;
    puzzle.LoadFromString(EnneoPuzzle::kSampleText);
    return puzzle;
}

KeyTable::Modifiers HeldModifiers() {
    return {GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0};
}

}  // namespace

const wchar_t* const EnneoWindow::kHomePageUrl = ENNEO_HOME_URL;

EnneoWindow::EnneoWindow(const wchar_t* updateUrl, const wchar_t* updatePublicKey)
    : MainWindowBase(L"EnneoWindow"),
      versionCheck_(updateUrl, updatePublicKey),
      controller_(SamplePuzzle(), *IApplication::GetCurrent()->GetProperties(), &AwakeMilliseconds) {}

void EnneoWindow::OnCreate() {
    SetText(controller_.GetTitle().GetText());
    LoadMenu(IDR_BOARD_MENU);
    SetIcon(IDI_ENNEO);
    BoardMenu::Update(GetMenu(GetHandle()), controller_);
    gui::RegisterSessionNotification(GetHandle());
    DragAcceptFiles(GetHandle(), TRUE);
    ApplyLook();
}

void EnneoWindow::OnDestroy() {
    gui::UnregisterSessionNotification(GetHandle());
    destroying_ = true;
    if (accessible_ != nullptr) {
        accessible_->Disconnect();
        accessible_->Release();
        accessible_ = nullptr;
    }
    if (comStarted_) CoUninitialize();
    comStarted_ = false;
    MainWindowBase::OnDestroy();
}

void EnneoWindow::Start(const std::filesystem::path& gameFile, const wchar_t* file) {
    Apply(controller_.Resume(gameFile));
    if (file != nullptr) Apply(controller_.Open(file));
}

void EnneoWindow::Keep() { Apply(controller_.Keep()); }

LRESULT EnneoWindow::MessageHandler(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    // Positions are the low and high words of lParam, taken unsigned.
    int x = LOWORD(lParam);
    int y = HIWORD(lParam);
    EnneoPuzzle::Cell cell;
    std::optional<BoardCommand> command;
    switch (message) {
    case WM_LBUTTONDOWN:
        if (geometry_.CellAt(x, y, cell)) command = BoardCommand::SelectCell(cell);
        break;
    case WM_RBUTTONDOWN:
        if (geometry_.CellAt(x, y, cell)) PeekCandidates(cell);
        break;
    case WM_CONTEXTMENU:  // from the keyboard (Shift+F10, the menu key): the right button's peek
        cell = controller_.GetGame().GetState().puzzle.GetSelectedCell();
        if (static_cast<LONG>(lParam) == -1 && cell.x != 0) PeekCandidates(cell);
        break;
    case WM_CHAR: command = KeyTable::ForCharacter(wParam); break;
    case WM_KEYDOWN: command = KeyTable::ForKey(static_cast<unsigned>(wParam), HeldModifiers()); break;
    case WM_ERASEBKGND: return 1;  // OnPaint fills the whole client area itself
    case WM_KEYUP:
        if ((wParam & 0xFF) == VK_F5) InvalidateRect(GetHandle(), nullptr, FALSE);
        break;
    case WM_COMMAND: return OnCommand(wParam);
    case WM_GETOBJECT: return OnGetObject(handle, wParam, lParam);
    case WM_SETTINGCHANGE:  // High Contrast, or the apps' mode ("ImmersiveColorSet")
    case WM_SYSCOLORCHANGE: ApplyLook(); break;
    case WM_SETFOCUS:  // back from a box, say: the selected cell has the focus again
        BoardAccessible::RaiseFocus(handle, controller_.GetGame().GetState().puzzle.GetSelectedCell());
        break;
    // What the game's clock needs to know: whether the player can see the board.
    case WM_ACTIVATE: command = BoardCommand::Window(BoardCommand::kWindowActive, LOWORD(wParam) != WA_INACTIVE); break;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED || wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) {
            command = BoardCommand::Window(BoardCommand::kWindowMinimized, wParam == SIZE_MINIMIZED);
        }
        break;
    case WM_WTSSESSION_CHANGE:
        if (wParam == WTS_SESSION_LOCK || wParam == WTS_SESSION_UNLOCK) {
            command = BoardCommand::Window(BoardCommand::kSessionLocked, wParam == WTS_SESSION_LOCK);
        }
        break;
    // Windows may end the program without its message loop's end: the game is kept at
    // once, and without a box, which would hold up the end of the session or a suspend.
    case WM_QUERYENDSESSION: controller_.Keep(); return TRUE;
    case WM_ENDSESSION:
        if (wParam) controller_.Keep();
        return 0;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMSUSPEND) controller_.Keep();
        return TRUE;
    case WM_COPYDATA: return OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    }
    if (command) Run(*command);
    return MainWindowBase::MessageHandler(handle, message, wParam, lParam);
}

void EnneoWindow::Run(const BoardCommand& command) {
    if (std::optional<WPARAM> item = BoardMenu::ItemOf(command)) {
        OnCommand(*item);
    } else {
        Execute(command);
    }
}

void EnneoWindow::Execute(const BoardCommand& command) { Apply(controller_.Execute(command)); }

void EnneoWindow::Apply(const BoardAnswer& answer) {
    if (answer.keep) SetTimer(GetHandle(), kKeepTimer, BoardController::kKeepDelayMs, nullptr);
    if (answer.repaint) InvalidateRect(GetHandle(), nullptr, FALSE);
    if (answer.menu) BoardMenu::Update(GetMenu(GetHandle()), controller_);
    if (answer.title) SetText(controller_.GetTitle().GetText());
    // Due when the time shown next changes; set again after every command, since the
    // clock may have started or stopped.
    if (unsigned delay = controller_.GetTickDelay()) {
        SetTimer(GetHandle(), kClockTimer, delay, nullptr);
    } else {
        KillTimer(GetHandle(), kClockTimer);
    }
    if (answer.look) ApplyLook();
    BoardAccessible::RaiseEvents(GetHandle(), answer.reader, controller_.GetGame().GetState().puzzle.GetSelectedCell());
    if (!answer.recentFile.empty()) recentDocuments_.Add(answer.recentFile);
    if (!answer.copyText.empty() && !Clipboard::Write(GetHandle(), answer.copyText)) {
        Apply(BoardController::CopyRefused());
    }
    if (answer.readClipboard) Apply(controller_.Paste(Clipboard::Read(GetHandle())));
    if (answer.box == BoardAnswer::kNoBox) return;
    UINT style = answer.box == BoardAnswer::kError ? MB_ICONERROR : MB_OK | MB_ICONINFORMATION;
    MessageBoxW(GetHandle(), answer.sentence.GetText(), answer.caption, style);
}

LRESULT EnneoWindow::OnTimer(WPARAM timerId) {
    switch (timerId) {
    case kClockTimer: Execute(BoardCommand::Of(BoardCommand::kTick)); break;
    case kKeepTimer:
        KillTimer(GetHandle(), kKeepTimer);
        Keep();
        break;
    }
    return 0;
}

LRESULT EnneoWindow::OnCopyData(const COPYDATASTRUCT& data) {
    std::wstring file;
    if (!GameOwner::ReadHandOver(data, file)) return FALSE;
    // The later start waits for this answer: the file is opened after it, when a box
    // it may bring no longer holds that start up.
    if (!file.empty()) {
        handedOver_.push_back(file);
        PostMessageW(GetHandle(), kOpenHandedOver, 0, 0);
    }
    return TRUE;
}

void EnneoWindow::OnDropFiles(HDROP drop) {
    std::wstring path(DragQueryFileW(drop, 0, nullptr, 0), L'\0');
    if (!path.empty()) path.resize(DragQueryFileW(drop, 0, &path[0], static_cast<UINT>(path.size() + 1)));
    DragFinish(drop);
    if (!path.empty()) Apply(controller_.Open(path.c_str()));
}

int EnneoWindow::OnUserMessage(UINT message, WPARAM, LPARAM) {
    if (message != kOpenHandedOver || handedOver_.empty()) return 0;
    std::wstring file = handedOver_.front();
    handedOver_.pop_front();
    Apply(controller_.Open(file.c_str()));
    return 1;
}

void EnneoWindow::OnPaint(HDC) {
    RECT client;
    GetClientRect(&client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    geometry_ = BoardGeometry(width, height, GetDpiScale().Pixels(BoardGeometry::kMargin));
    if (width <= 0 || height <= 0) return;

    BoardPainter painter = Painter();
    HDC windowContext = GetDC(GetHandle());
    gui::MemoryCanvas canvas(windowContext, width, height);
    if (canvas.Get() != nullptr) {
        painter.Paint(canvas.Get(), client);
        BitBlt(windowContext, 0, 0, width, height, canvas.Get(), 0, 0, SRCCOPY);
    } else {
        painter.Paint(windowContext, client);  // short of memory: straight onto the window
    }
    ReleaseDC(GetHandle(), windowContext);
}

BoardPainter EnneoWindow::Painter() const {
    return BoardPainter(controller_.GetGame().GetState(), controller_.GetView(), geometry_, BoardPalette::Of(GetLook()),
                        GetDpiScale());
}

BoardTheme::Look EnneoWindow::GetLook() const {
    return BoardTheme::LookOf(controller_.GetView().theme, appsDark_, highContrast_);
}

void EnneoWindow::ApplyLook() {
    highContrast_ = SystemLook::IsHighContrast();
    appsDark_ = SystemLook::AppsUseDarkMode();
    bool dark = GetLook() == BoardTheme::kDarkLook;
    if (dark != captionDark_) SystemLook::SetDarkCaption(GetHandle(), dark);
    captionDark_ = dark;
    InvalidateRect(GetHandle(), nullptr, FALSE);
}

LRESULT EnneoWindow::OnGetObject(HWND handle, WPARAM wParam, LPARAM lParam) {
    // The object identifier is a 32-bit value, sign-extended in a 64-bit lParam.
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || destroying_) {
        return MainWindowBase::MessageHandler(handle, WM_GETOBJECT, wParam, lParam);
    }
    if (accessible_ == nullptr) {
        // The object is handed to other processes through COM, which the thread needs.
        if (!comStarted_) comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        accessible_ = new BoardAccessible(handle, controller_, geometry_);
    }
    return accessible_->Answer(wParam);
}

void EnneoWindow::PeekCandidates(EnneoPuzzle::Cell cell) {
    HDC deviceContext = GetDC(GetHandle());
    Painter().PaintCandidates(deviceContext, cell);
    ReleaseDC(GetHandle(), deviceContext);
}

int EnneoWindow::OnCommand(WPARAM wParam) {
    switch (wParam) {
    case ID_MFILE_OPEN: OnFileOpen(); break;
    case ID_MFILE_Save: OnFileSave(); break;
    case ID_MFILE_PRINT: OnPrint(); break;
    case ID_MFILE_PRINTNEWPUZZLES: print_.PrintNewPuzzles(GetHandle()); break;
    case ID_MFILE_EXIT: PostQuitMessage(0); break;
    case IDM_CHECKUPDATES:
        Keep();  // the check may start the updater, which ends the program
        versionCheck_.Check(util::version::VersionCheck::Asked::ByUser);
        break;
    case ID_OPTIONS_SHOWLOG: OnShowLog(); break;
    case IDM_ABOUT: OnAbout(); break;
    default:
        if (std::optional<BoardCommand> command = BoardMenu::CommandOf(wParam)) Execute(*command);
        break;
    }
    return 0;
}

void EnneoWindow::OnFileOpen() {
    wchar_t fileName[520] = {};
    OPENFILENAMEW dialog = FileDialog(GetHandle(), OpenTypes(), fileName, 520, OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
    if (GetOpenFileNameW(&dialog)) Apply(controller_.Open(fileName));
}

void EnneoWindow::OnFileSave() {
    wchar_t fileName[520] = {};
    OPENFILENAMEW dialog = FileDialog(GetHandle(), SaveTypes(), fileName, 520, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    if (!GetSaveFileNameW(&dialog)) return;
    // The second type is the game file; a name is taken as typed, whichever type.
    Apply(controller_.Save(fileName,
                           dialog.nFilterIndex == 2 ? BoardController::kGameFile : BoardController::kPuzzleFile));
}

void EnneoWindow::OnPrint() { print_.PrintBoard(GetHandle(), controller_.GetGame().GetState().puzzle); }

void EnneoWindow::OnAbout() {
    if (about_.GetHandle() == nullptr) about_.Create(GetHandle());
    about_.Show(SW_SHOWNORMAL);
    gui::ShellOpen(GetHandle(), kHomePageUrl, SW_SHOWDEFAULT);
}

void EnneoWindow::OnShowLog() {
    util::logging::WindowLogger* log = util::logging::WindowLogger::GetInstance();
    log->Show();  // again, after it was closed
    util::logging::LoggerManager::GetInstance()->AddLogger(log);
}
