// EnneoWindow: the board window, the program's main window.
#include "EnneoWindow.h"

#include "SystemLook.h"
#include "intake/Clipboard.h"
#include "intake/FileDialogs.h"
#include "keeping/GameOwner.h"
#include "board/KeyTable.h"
#include "common/IApplication.h"
#include "common/gui/MemoryCanvas.h"
#include "common/gui/ProgressFeedback.h"
#include "common/gui/SessionNotification.h"
#include "common/gui/ShellOpen.h"
#include "common/util/logging/LoggerManager.h"
#include "common/util/logging/WindowLogger.h"
#include "languages/Language.h"
#include "resources/resource.h"
#include "words/Words.h"

#include <shellapi.h>

static_assert(KeyTable::kLeft == VK_LEFT && KeyTable::kUp == VK_UP && KeyTable::kRight == VK_RIGHT &&
                  KeyTable::kDown == VK_DOWN && KeyTable::kInsert == VK_INSERT && KeyTable::kDelete == VK_DELETE &&
                  KeyTable::kNumpad0 == VK_NUMPAD0 && KeyTable::kEscape == VK_ESCAPE && KeyTable::kPause == VK_PAUSE &&
                  KeyTable::kPageUp == VK_PRIOR && KeyTable::kPageDown == VK_NEXT && KeyTable::kEnd == VK_END &&
                  KeyTable::kHome == VK_HOME,
              "the key table's virtual-key codes are Windows' own");

namespace {

const UINT_PTR kKeepTimer = 1;
// The timer that brings the time in the caption up to date.
const UINT_PTR kClockTimer = 2;
// The timer that hides a refusal's balloon, and how long it shows at most.
const UINT_PTR kRefusalTimer = 3;
const UINT kRefusalShownMs = 4000;
// The widest line of a refusal's balloon, in pixels at 96 DPI: a longer sentence wraps.
const int kRefusalWidth = 300;
const UINT kOpenHandedOver = WM_APP;

// The game clock's source: the interrupt time without the time the computer slept or
// hibernated, monotonic whatever the system time does.
uint64_t AwakeMilliseconds() {
    ULONGLONG hundredNanoseconds = 0;
    QueryUnbiasedInterruptTime(&hundredNanoseconds);
    return hundredNanoseconds / 10000;
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
      controller_(SamplePuzzle(), *IApplication::GetCurrent()->GetProperties(), &AwakeMilliseconds),
      snapshot_(controller_.Snapshot()),
      digitPad_(*this, snapshot_, geometry_, [this](const BoardCommand& command) { Run(command); }) {}

void EnneoWindow::OnCreate() {
    SetText(Words::Say(controller_.GetTitle()).GetText());
    MakeMenu();
    SetIcon(IDI_ENNEO);
    gui::RegisterSessionNotification(GetHandle());
    DragAcceptFiles(GetHandle(), TRUE);
    ApplyLook();
}

void EnneoWindow::MakeMenu() {
    menu_.emplace();
    ReplaceMenu(menu_->GetHandle());
    menu_->Update(snapshot_);
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
        // The click of an active window that lost the focus (to a disabled state, say)
        // brings the keyboard back to the board.
        if (GetFocus() != handle) SetFocus(handle);
        ChangeFocusCue(false);
        // Selects the cell, and may open the digit pad on it.
        if (geometry_.CellAt(x, y, cell)) digitPad_.Press(cell, GetMessageExtraInfo());
        break;
    case WM_RBUTTONDOWN:
        ChangeFocusCue(false);
        if (geometry_.CellAt(x, y, cell)) PeekCandidates(cell);
        break;
    case WM_CONTEXTMENU:  // from the keyboard (Shift+F10, the menu key): the right button's peek
        cell = snapshot_.state.puzzle.GetSelectedCell();
        if (static_cast<LONG>(lParam) == -1 && cell.x != 0) PeekCandidates(cell);
        break;
    case WM_CHAR: command = KeyTable::ForCharacter(wParam); break;
    case WM_KEYDOWN:
        ChangeFocusCue(true);
        command = KeyTable::ForKey(static_cast<unsigned>(wParam), HeldModifiers());
        break;
    // The window's UI state, as Windows' controls keep it: a top-level window's change
    // is its own update. The focus flag is kept here (Wine keeps none); Windows keeps the
    // others.
    case WM_CHANGEUISTATE: SendMessageW(handle, WM_UPDATEUISTATE, wParam, lParam); return 0;
    case WM_UPDATEUISTATE:
        if ((HIWORD(wParam) & UISF_HIDEFOCUS) != 0 && LOWORD(wParam) != UIS_INITIALIZE) {
            hideFocus_ = LOWORD(wParam) == UIS_SET;
        }
        ShowFocusCue();
        break;
    case WM_QUERYUISTATE: {
        LRESULT others = MainWindowBase::MessageHandler(handle, message, wParam, lParam) & ~UISF_HIDEFOCUS;
        return hideFocus_ ? others | UISF_HIDEFOCUS : others;
    }
    case WM_ERASEBKGND: return 1;  // OnPaint fills the whole client area itself
    case WM_PRINTCLIENT:  // PrintWindow, a magnifier's or a thumbnail's copy of the board
        Draw(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_KEYUP:
        if ((wParam & 0xFF) == VK_F5) InvalidateRect(GetHandle(), nullptr, FALSE);
        break;
    case WM_COMMAND:
        if (std::optional<BoardCommand> chosen = BoardMenu::CommandOf(wParam)) Run(*chosen);
        return 0;
    case WM_GETOBJECT: return OnGetObject(handle, wParam, lParam);
    case WM_SETTINGCHANGE:  // High Contrast, or the apps' mode ("ImmersiveColorSet")
    case WM_SYSCOLORCHANGE: ApplyLook(); break;
    case WM_SETFOCUS:  // back from a box, say: the selected cell has the focus again
        BoardAccessible::RaiseFocus(handle, snapshot_.state.puzzle.GetSelectedCell());
        ShowFocusCue();
        break;
    case WM_KILLFOCUS: ShowFocusCue(); break;
    // What the game's clock needs to know: whether the player can see the board.
    // The digit pad's activation keeps the board in play.
    case WM_ACTIVATE:
        command = BoardCommand::Window(BoardCommand::kWindowActive,
                                       LOWORD(wParam) != WA_INACTIVE || digitPad_.Is(reinterpret_cast<HWND>(lParam)));
        break;
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
    HideRefusal();  // the command answers the refusal shown, if any
    switch (command.kind) {
    case BoardCommand::kNewPuzzle: OnNewPuzzle(command.level); break;
    case BoardCommand::kOpen: OnFileOpen(); break;
    case BoardCommand::kSave: OnFileSave(); break;
    case BoardCommand::kPrint: OnPrint(); break;
    case BoardCommand::kPrintNewPuzzles: print_.PrintNewPuzzles(GetHandle()); break;
    case BoardCommand::kExit: PostQuitMessage(0); break;
    case BoardCommand::kCheckForUpdates:
        Keep();  // the check may start the updater, which ends the program
        versionCheck_.Check(util::version::VersionCheck::Asked::ByUser, GetHandle());
        break;
    case BoardCommand::kShowLog: OnShowLog(); break;
    case BoardCommand::kAbout: OnAbout(); break;
    case BoardCommand::kHelp: help_.Present(GetHandle()); break;
    default: Execute(command); break;
    }
}

void EnneoWindow::Execute(const BoardCommand& command) { Apply(controller_.Execute(command)); }

void EnneoWindow::Apply(const BoardAnswer& answer) {
    // First: a screen reader may read the board during any call below (a box, an event).
    EnneoPuzzle::Cell selected = snapshot_.state.puzzle.GetSelectedCell();
    snapshot_ = controller_.Snapshot();
    snapshot_.view.focusCue = focusCue_;
    EnneoPuzzle::Cell nowSelected = snapshot_.state.puzzle.GetSelectedCell();
    // The focus frame follows the selection, which the controller repaints only with marks.
    bool frameMoved = focusCue_ && (nowSelected.x != selected.x || nowSelected.y != selected.y);
    if (answer.keep) SetTimer(GetHandle(), kKeepTimer, GameKeeping::kKeepDelayMs, nullptr);
    if (answer.repaint || frameMoved) InvalidateRect(GetHandle(), nullptr, FALSE);
    if (answer.language) {
        MakeMenu();
        ShowOpenWindowsTexts();
    } else if (answer.menu) {
        menu_->Update(snapshot_);
    }
    if (answer.title) SetText(Words::Say(controller_.GetTitle()).GetText());
    // Due when the time shown next changes; set again after every command, since the
    // clock may have started or stopped.
    if (unsigned delay = controller_.GetTickDelay()) {
        SetTimer(GetHandle(), kClockTimer, delay, nullptr);
    } else {
        KillTimer(GetHandle(), kClockTimer);
    }
    if (answer.look) ApplyLook();
    BoardAccessible::RaiseEvents(GetHandle(), answer.reader, snapshot_.state.puzzle.GetSelectedCell());
    if (answer.refusal.cell.x != 0) ShowRefusal(answer.refusal);
    if (!answer.recentFile.empty()) recentDocuments_.Add(answer.recentFile);
    if (!answer.copyText.empty() && !Clipboard::Write(GetHandle(), answer.copyText)) {
        Apply(BoardController::CopyRefused());
    }
    if (answer.readClipboard) Apply(controller_.Paste(Clipboard::Read(GetHandle())));
    if (answer.box == BoardAnswer::kNoBox) return;
    UINT style = answer.box == BoardAnswer::kError ? MB_ICONERROR : MB_OK | MB_ICONINFORMATION;
    MessageBoxW(GetHandle(), Words::Say(answer.sentence).GetText(), Words::Say(answer.caption).GetText(), style);
}

LRESULT EnneoWindow::OnTimer(WPARAM timerId) {
    switch (timerId) {
    case kClockTimer: Execute(BoardCommand::Of(BoardCommand::kTick)); break;
    case kKeepTimer:
        KillTimer(GetHandle(), kKeepTimer);
        Keep();
        break;
    case kRefusalTimer: HideRefusal(); break;
    }
    return 0;
}

void EnneoWindow::ShowRefusal(const BoardAnswer::Refusal& refusal) {
    MessageBeep(MB_ICONWARNING);
    // The stem points at the middle of the cell's lower edge, so that the balloon
    // leaves the cell itself in sight.
    int size = geometry_.GetCellSize();
    POINT point = {geometry_.GetColumnLeft(refusal.cell.x) + size / 2, geometry_.GetRowTop(refusal.cell.y) + size};
    ClientToScreen(GetHandle(), &point);
    refusalTip_.Show(GetHandle(), point, GetDpiScale().Pixels(kRefusalWidth), Words::Say(refusal.reason).GetText());
    SetTimer(GetHandle(), kRefusalTimer, kRefusalShownMs, nullptr);
}

void EnneoWindow::HideRefusal() {
    KillTimer(GetHandle(), kRefusalTimer);
    refusalTip_.Hide();
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

void EnneoWindow::OnSize(WPARAM, LPARAM) {
    BoardGeometry before = geometry_;
    Measure();
    if (geometry_.GetLeft() != before.GetLeft() || geometry_.GetTop() != before.GetTop() ||
        geometry_.GetSide() != before.GetSide()) {
        InvalidateRect(GetHandle(), nullptr, FALSE);
    }
}

void EnneoWindow::Measure() {
    RECT client;
    GetClientRect(&client);
    geometry_ = BoardGeometry(client.right - client.left, client.bottom - client.top,
                              GetDpiScale().Pixels(BoardGeometry::kMargin));
}

void EnneoWindow::OnPaint(HDC) {
    HDC windowContext = GetDC(GetHandle());
    Draw(windowContext);
    ReleaseDC(GetHandle(), windowContext);
}

void EnneoWindow::Draw(HDC target) {
    Measure();
    RECT client;
    GetClientRect(&client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return;

    BoardPainter painter = Painter();
    gui::MemoryCanvas canvas(target, width, height);
    if (canvas.Get() != nullptr) {
        painter.Paint(canvas.Get(), client);
        BitBlt(target, 0, 0, width, height, canvas.Get(), 0, 0, SRCCOPY);
    } else {
        painter.Paint(target, client);  // short of memory: straight onto the target
    }
}

BoardPainter EnneoWindow::Painter() const {
    return BoardPainter(snapshot_.state, snapshot_.view, geometry_, BoardPalette::Of(GetLook()), GetDpiScale());
}

BoardTheme::Look EnneoWindow::GetLook() const {
    return BoardTheme::LookOf(snapshot_.view.theme, appsDark_, highContrast_);
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
        accessible_ = new BoardAccessible(handle, snapshot_, geometry_);
    }
    return accessible_->Answer(wParam);
}

void EnneoWindow::ChangeFocusCue(bool shown) {
    SendMessageW(GetHandle(), WM_CHANGEUISTATE, MAKEWPARAM(shown ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS), 0);
}

void EnneoWindow::ShowFocusCue() {
    bool cue = GetFocus() == GetHandle() && !hideFocus_;
    if (cue == focusCue_) return;
    focusCue_ = snapshot_.view.focusCue = cue;
    InvalidateRect(GetHandle(), nullptr, FALSE);
}

void EnneoWindow::PeekCandidates(EnneoPuzzle::Cell cell) {
    HDC deviceContext = GetDC(GetHandle());
    Painter().PaintCandidates(deviceContext, cell);
    ReleaseDC(GetHandle(), deviceContext);
}

void EnneoWindow::OnFileOpen() {
    if (std::optional<std::wstring> file = FileDialogs::Open(GetHandle())) Apply(controller_.Open(file->c_str()));
}

void EnneoWindow::OnFileSave() {
    std::optional<FileDialogs::Saving> saving = FileDialogs::Save(GetHandle(), controller_.ProposedSaveType());
    if (!saving) return;
    Apply(controller_.Save(saving->path.c_str(), saving->saved));
}

void EnneoWindow::OnNewPuzzle(PuzzleLevel level) {
    BoardAnswer answer;
    {
        // Gone before the answer is applied, so that a box it brings has the board enabled.
        gui::ProgressFeedback feedback(Language::Text(TextId::kBoardNewPuzzleProgress).c_str());
        std::wstring making = Language::Text(TextId::kBoardMakingPuzzle);
        answer = controller_.NewPuzzle(level, [&] { return feedback.Update(making.c_str(), 0, -1); });
    }
    Apply(answer);
}

void EnneoWindow::OnPrint() { print_.PrintBoard(GetHandle(), snapshot_.state.puzzle); }

void EnneoWindow::OnAbout() {
    if (about_.GetHandle() == nullptr) about_.Create(GetHandle());
    about_.Show(SW_SHOWNORMAL);
    gui::ShellOpen(GetHandle(), kHomePageUrl, SW_SHOWDEFAULT);
}

void EnneoWindow::ShowOpenWindowsTexts() {
    if (help_.GetHandle() != nullptr) help_.ShowTexts();
    if (about_.GetHandle() != nullptr) about_.ShowTexts();
    util::logging::WindowLogger::RetellTexts();
}

void EnneoWindow::OnShowLog() {
    util::logging::WindowLogger* log = util::logging::WindowLogger::GetInstance();
    log->Show();  // again, after it was closed
    util::logging::LoggerManager::GetInstance()->AddLogger(log);
}
