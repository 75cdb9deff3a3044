// Tests of the board window: geometry, mouse and keyboard input, and the commands.
#include "app/BoardMenu.h"
#include "app/EnneoApp.h"
#include "app/HelpWindow.h"
#include "board/KeyTable.h"
#include "common/util/logging/LoggerManager.h"
#include "common/util/logging/WindowLogger.h"
#include "puzzle/PuzzleLine.h"
#include "puzzle/PuzzleRating.h"
#include "resources/resource.h"
#include "tests/common/TestFiles.h"
#include "tests/common/gui/ControlPlaces.h"
#include "tests/puzzle/PuzzleTestGrids.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ShellCallRecorder.h"
#include "words/Words.h"

#include <commctrl.h>
#include <oleacc.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

// Nothing listens on the discard port: the board window's update checks end at once.
const wchar_t kNoUpdateService[] = L"http://127.0.0.1:9/versions/index.php";

// The program's application object, as the program declares it.
static EnneoApp application(kNoUpdateService, L"");

namespace {

// A unique puzzle of its own, and the sample's print, for the forms that come in.
const std::string kOther = "2..1.5..3.54...71..1.2.3.8.6.28.73.4.........1.53.98.6.2.7.1.6..81...24.7..4.2..1";

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// The puzzle's nine rows, each as a framed line "|2..|1.5|..3|", ending in end.
std::string FramedRows(const std::string& line, const std::string& end) {
    std::string rows;
    for (int row = 0; row < 9; ++row) {
        for (int band = 0; band < 3; ++band) rows += "|" + line.substr(row * 9 + band * 3, 3);
        rows += "|" + end;
    }
    return rows;
}

// A board window with a client area of 400 x 300, painted once.
class BoardTest : public ::testing::Test {
protected:
    void SetUp() override {
        handle_ = board_.Create(nullptr);
        ResizeClient(400, 300);
        board_.Show(SW_SHOWNORMAL);
        Paint();
    }
    void ResizeClient(int width, int height) {
        RECT outer, client;
        GetWindowRect(handle_, &outer);
        GetClientRect(handle_, &client);
        width += (outer.right - outer.left) - client.right;
        height += (outer.bottom - outer.top) - client.bottom;
        SetWindowPos(handle_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    }
    void TearDown() override { board_.Destroy(); }

    const EnneoPuzzle& Puzzle() const { return board_.GetController().GetGame().GetState().puzzle; }
    BoardView View() const { return board_.GetController().GetView(); }
    void Paint() {
        InvalidateRect(handle_, nullptr, TRUE);
        UpdateWindow(handle_);
    }
    void Click(UINT message, int x, int y) { SendMessageW(handle_, message, 0, MAKELPARAM(x, y)); }
    // Selects the cell by a click at its centre and types a character.
    void Type(int x, int y, wchar_t character) {
        const BoardGeometry& g = board_.GetGeometry();
        Click(WM_LBUTTONDOWN, g.GetColumnLeft(x) + g.GetCellSize() / 2, g.GetRowTop(y) + g.GetCellSize() / 2);
        SendMessageW(handle_, WM_CHAR, character, 0);
    }
    void Command(WPARAM command) { SendMessageW(handle_, WM_COMMAND, command, 0); }
    // A key pressed while the given keys (VK_CONTROL, VK_SHIFT) are held down.
    void Key(WPARAM key, std::initializer_list<BYTE> held = {}) {
        BYTE keys[256] = {};
        for (BYTE k : held) keys[k] = 0x80;
        SetKeyboardState(keys);
        SendMessageW(handle_, WM_KEYDOWN, key, 0);
        BYTE none[256] = {};
        SetKeyboardState(none);
    }
    bool Greyed(UINT command) { return (GetMenuState(GetMenu(handle_), command, MF_BYCOMMAND) & MF_GRAYED) != 0; }
    std::wstring MenuText(UINT command) {
        wchar_t text[MAX_PATH + 8] = {};
        GetMenuStringW(GetMenu(handle_), command, text, MAX_PATH + 8, MF_BYCOMMAND);
        return text;
    }
    // The texts of the boxes that a command shows, each answered with OK.
    std::vector<std::wstring> Boxes(const std::function<void()>& command, std::vector<DialogDriver::Answer> answers) {
        DialogDriver driver(std::move(answers));
        command();
        return driver.Texts();
    }
    // The text of the balloon that says why a cell refused a key, while it shows; else empty.
    std::wstring RefusalShown() {
        HWND tip = board_.GetRefusalTip().GetHandle();
        if (tip == nullptr || !IsWindowVisible(tip)) return L"";
        wchar_t text[256] = {};
        TOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = handle_;
        tool.lpszText = text;
        SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
        return text;
    }
    // Whether a repaint of the whole client area is pending.
    bool RepaintPending() {
        RECT update;
        return GetUpdateRect(handle_, &update, FALSE) != 0;
    }
    // A pixel of the client area as the window draws it (WM_PRINTCLIENT, as PrintWindow
    // asks: the tests' display driver keeps no pixels of windows).
    COLORREF Pixel(int x, int y) {
        HDC window = GetDC(handle_);
        HDC memory = CreateCompatibleDC(window);
        HBITMAP bitmap = CreateCompatibleBitmap(window, 400, 300);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        SendMessageW(handle_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        COLORREF pixel = GetPixel(memory, x, y);
        SelectObject(memory, previous);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(handle_, window);
        return pixel;
    }
    BoardPalette Palette() const { return BoardPalette::Of(board_.GetLook()); }
    // A key as the keyboard gives it: to the window that has the focus, if any.
    void KeyToFocus(WPARAM key, std::initializer_list<BYTE> held = {}) {
        HWND focus = GetFocus();
        if (focus == nullptr) return;
        BYTE keys[256] = {};
        for (BYTE k : held) keys[k] = 0x80;
        SetKeyboardState(keys);
        SendMessageW(focus, WM_KEYDOWN, key, 0);
        BYTE none[256] = {};
        SetKeyboardState(none);
    }

    EnneoWindow board_{kNoUpdateService, L""};
    HWND handle_ = nullptr;
};

TEST_F(BoardTest, CreatesWithCaptionMenuAndTheSample) {
    wchar_t caption[64] = {};
    GetWindowTextW(handle_, caption, 64);
    EXPECT_STREQ(L"Enneo Tessary", caption);
    HMENU menu = GetMenu(handle_);
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(4, GetMenuItemCount(menu));
    const std::pair<UINT, const wchar_t*> items[] = {
        {ID_OPTIONS_SHOWLOG, L"Sho&w Log ...\tCtrl+L"},
        {ID_EDIT_UNDO, L"&Undo\tCtrl+Z"},
        {ID_EDIT_REDO, L"&Redo\tCtrl+Y"},
        {ID_OPTIONS_MARKSELECTION, L"&Mark Selection\tF7"},
        {ID_OPTIONS_RESUMEGAME, L"Resume &Last Game"},
        {ID_OPTIONS_HINT, L"Hin&t\t?"},
        {ID_OPTIONS_CHECK, L"&Check\t!"},
        {ID_EDIT_UNDOTOCORRECT, L"Undo to &Last Correct\tCtrl+B"},
        {ID_EDIT_FILLCANDIDATES, L"&Fill In Candidates\tCtrl+F"},
        {ID_EDIT_CLEARMARKS, L"Clear All &Marks\tCtrl+E"},
        {ID_EDIT_PENCILMODE, L"Pe&ncil Mode\tP"},
        {ID_OPTIONS_SHOWTIMER, L"Show T&imer\tCtrl+T"},
        {ID_OPTIONS_PAUSE, L"&Pause\tEsc"},
        {ID_HELP_STATISTICS, L"&Statistics\tCtrl+Shift+T"},
        {ID_MFILE_PRINT, L"P&rint...\tCtrl+P"},
        {ID_MFILE_PRINTNEWPUZZLES, L"Print Ne&w Puzzles...\tCtrl+Shift+P"}};
    wchar_t text[64] = {};
    for (const auto& item : items) {
        GetMenuStringW(menu, item.first, text, 64, MF_BYCOMMAND);
        EXPECT_STREQ(item.second, text);
    }
    GetMenuStringW(menu, 1, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(L"&Edit", text);
    EXPECT_TRUE(Greyed(ID_EDIT_UNDO));
    EXPECT_TRUE(Greyed(ID_EDIT_REDO));
    EXPECT_TRUE(Greyed(ID_EDIT_UNDOTOCORRECT));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Puzzle()));
    EXPECT_TRUE(View().showHints);
    EXPECT_EQ(70, board_.GetGeometry().GetLeft());
    EXPECT_EQ(28, board_.GetGeometry().GetCellSize());
}

// The command items of a menu and its pop-ups, with their texts; no two items of one
// menu share an access key.
void CollectItems(HMENU menu, std::vector<std::pair<UINT, std::wstring>>& items) {
    std::set<wchar_t> accessKeys;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        if (const wchar_t* amp = std::wcschr(text, L'&')) {
            EXPECT_TRUE(accessKeys.insert(std::towupper(amp[1])).second) << "access key taken twice: " << text;
        }
        if (HMENU popup = GetSubMenu(menu, i)) {
            CollectItems(popup, items);
        } else if (text[0] != L'\0') {
            items.emplace_back(GetMenuItemID(menu, i), text);
        }
    }
}

// The command of a key as a menu item shows it: "Ctrl+Shift+L", "F2", "?".
std::optional<BoardCommand> CommandOfKey(std::wstring key) {
    KeyTable::Modifiers held = {false, false, false};
    for (size_t plus; key.size() > 1 && (plus = key.find(L'+')) != std::wstring::npos; key.erase(0, plus + 1)) {
        std::wstring modifier = key.substr(0, plus);
        held.control |= modifier == L"Ctrl";
        held.shift |= modifier == L"Shift";
        held.alt |= modifier == L"Alt";
    }
    if (key.size() == 1 && std::iswalnum(key[0])) return KeyTable::ForKey(std::towupper(key[0]), held);
    if (key.size() == 1) return KeyTable::ForCharacter(key[0]);
    if (key[0] == L'F') return KeyTable::ForKey(VK_F1 + std::stoi(key.substr(1)) - 1, held);
    const std::pair<const wchar_t*, unsigned> named[] = {
        {L"Del", VK_DELETE}, {L"Esc", VK_ESCAPE}, {L"Pause", VK_PAUSE}};
    for (const auto& [name, virtualKey] : named) {
        if (key == name) return KeyTable::ForKey(virtualKey, held);
    }
    return std::nullopt;
}

// Every menu item shows the key that runs it, none the key of another (Exit shows
// Windows' own Alt+F4, which closes the window and so ends the program as Exit does).
// The recent files have their number as the access key and no key of their own, nor
// have New Puzzle's Expert and Extreme, nor About (Alt+/, an accelerator), nor Resume Last
// Game, which can lose the game, nor the languages.
TEST_F(BoardTest, EveryMenuItemShowsTheKeyThatRunsIt) {
    std::vector<std::pair<UINT, std::wstring>> items;
    CollectItems(GetMenu(handle_), items);
    EXPECT_GE(items.size(), 34u);
    std::set<std::wstring> shown;
    for (const auto& [id, text] : items) {
        SCOPED_TRACE(text);
        if (id >= ID_MFILE_RECENT_FIRST && id < ID_MFILE_RECENT_FIRST + PuzzleIntake::kRecentFiles) continue;
        if (id >= ID_OPTIONS_LANGUAGE_FOLLOWWINDOWS && id < ID_OPTIONS_LANGUAGE_FIRST + ID_OPTIONS_LANGUAGE_ROOM) {
            EXPECT_EQ(std::wstring::npos, text.find(L'\t'));
            continue;
        }
        size_t tab = text.find(L'\t');
        if (id == ID_MFILE_NEWPUZZLE_EXPERT || id == ID_MFILE_NEWPUZZLE_EXTREME || id == IDM_ABOUT ||
            id == ID_OPTIONS_RESUMEGAME) {
            EXPECT_EQ(std::wstring::npos, tab);
            continue;
        }
        ASSERT_NE(std::wstring::npos, tab) << "no key";
        std::wstring key = text.substr(tab + 1);
        EXPECT_TRUE(shown.insert(key).second) << "shown twice";
        if (id == ID_MFILE_EXIT) {
            EXPECT_EQ(L"Alt+F4", key);
            continue;
        }
        std::optional<BoardCommand> command = CommandOfKey(key);
        ASSERT_TRUE(command.has_value()) << "no command";
        EXPECT_EQ(command, BoardMenu::CommandOf(id));
    }
}

// The theme by its keys and items, kept in the registry value "Theme" and marked in the
// menu; Follow Windows takes the apps' mode again whenever Windows says that a setting
// changed, and a change of settings or colours repaints at once.
TEST_F(BoardTest, ThemesByKeysAndItemsAndFollowingWindows) {
    const wchar_t settings[] = L"Software\\Enneo Project\\Enneo Tessary";
    const wchar_t personalize[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
    auto marked = [this](UINT id) { return (GetMenuState(GetMenu(handle_), id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    auto appsLight = [&](DWORD light) {
        RegSetKeyValueW(HKEY_CURRENT_USER, personalize, L"AppsUseLightTheme", REG_DWORD, &light, sizeof(light));
    };
    EXPECT_EQ(BoardTheme::kLightLook, board_.GetLook());
    EXPECT_TRUE(marked(ID_OPTIONS_THEME_LIGHT));
    Key('D', {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(BoardTheme::kDarkLook, board_.GetLook());
    EXPECT_TRUE(marked(ID_OPTIONS_THEME_DARK));
    EXPECT_FALSE(marked(ID_OPTIONS_THEME_LIGHT));
    wchar_t value[16] = {};
    DWORD size = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, settings, L"Theme", RRF_RT_REG_SZ, nullptr, value, &size));
    EXPECT_STREQ(L"Dark", value);

    appsLight(1);
    Command(ID_OPTIONS_THEME_FOLLOWWINDOWS);
    EXPECT_EQ(BoardTheme::kLightLook, board_.GetLook());
    appsLight(0);
    Paint();
    SendMessageW(handle_, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    EXPECT_EQ(BoardTheme::kDarkLook, board_.GetLook());
    EXPECT_TRUE(RepaintPending());
    Paint();
    SendMessageW(handle_, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_TRUE(RepaintPending());
    RegDeleteKeyValueW(HKEY_CURRENT_USER, personalize, L"AppsUseLightTheme");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, settings, L"Theme");
}

// A client may keep the board's accessible object after the window is gone: every
// call then fails instead of reading a board that is no more.
TEST_F(BoardTest, TheAccessibleObjectFailsOnceTheWindowIsGone) {
    IAccessible* table = nullptr;
    ASSERT_EQ(S_OK, AccessibleObjectFromWindow(handle_, OBJID_CLIENT, __uuidof(IAccessible),
                                               reinterpret_cast<void**>(&table)));
    VARIANT cell = {};
    cell.vt = VT_I4;
    cell.lVal = 2;
    BSTR name = nullptr;
    EXPECT_EQ(S_OK, table->get_accName(cell, &name));
    EXPECT_STREQ(L"Row 1, column 2, 9, given", name);
    SysFreeString(name);
    board_.Destroy();
    EXPECT_EQ(RPC_E_DISCONNECTED, table->get_accName(cell, &name));
    table->Release();
}

TEST_F(BoardTest, ClicksSelectCellsInsideTheBoardOnly) {
    Click(WM_LBUTTONDOWN, 70, 21);
    EXPECT_EQ(0, Puzzle().GetSelectedCell().x);
    Click(WM_LBUTTONDOWN, 71, 21);
    EXPECT_EQ(1, Puzzle().GetSelectedCell().x);
    EXPECT_EQ(1, Puzzle().GetSelectedCell().y);
    Click(WM_LBUTTONDOWN, 70 + 28 * 4 + 1, 20 + 28 * 8 + 1);
    EXPECT_EQ(5, Puzzle().GetSelectedCell().x);
    EXPECT_EQ(9, Puzzle().GetSelectedCell().y);
}

// Digits go into cells; a refused one leaves the board as it was and a balloon beside
// its cell says why, until the next command.
TEST_F(BoardTest, DigitEntry) {
    SendMessageW(handle_, WM_CHAR, L'8', 0);  // nothing selected yet
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Puzzle()));
    EXPECT_EQ(L"", RefusalShown());

    Type(1, 1, L'8');
    EXPECT_EQ(8, Puzzle().GetCell(1, 1));
    EXPECT_EQ(EnneoPuzzle::CELL_SET, Puzzle().GetCellState(1, 1));
    EXPECT_TRUE(RepaintPending());
    EXPECT_EQ(L"", RefusalShown());

    Paint();
    Type(1, 2, L'9');  // 9 is in block 1 already: refused, still repainted
    EXPECT_EQ(0, Puzzle().GetCell(1, 2));
    EXPECT_TRUE(RepaintPending());
    using M = Message;
    using V = Message::Value;
    EXPECT_EQ(std::wstring(Words::Say(M(M::kClashInBlock, {V::Number(9), V::Number(1), V::Number(2)})).GetText()),
              RefusalShown());
    const BoardGeometry& g = board_.GetGeometry();
    POINT cell = {g.GetColumnLeft(1) + g.GetCellSize() / 2, g.GetRowTop(2) + g.GetCellSize() / 2};
    ClientToScreen(handle_, &cell);
    RECT tip;
    GetWindowRect(board_.GetRefusalTip().GetHandle(), &tip);
    EXPECT_TRUE(tip.left <= cell.x && cell.x < tip.right) << "the balloon is not beside the cell";

    Type(2, 1, L'1');  // a given cell
    EXPECT_EQ(9, Puzzle().GetCell(2, 1));
    EXPECT_EQ(std::wstring(Words::Say(M(M::kGivenHere, {V::Number(9)})).GetText()), RefusalShown());
    Type(1, 1, L'x');
    EXPECT_EQ(L"", RefusalShown());  // the click's command hid it
    EXPECT_EQ(8, Puzzle().GetCell(1, 1));
    Type(1, 3, L'\x438');  // Cyrillic, its low byte an '8': nothing
    EXPECT_EQ(0, Puzzle().GetCell(1, 3));
    Type(1, 1, L'0');
    EXPECT_EQ(EnneoPuzzle::CELL_EMPTY, Puzzle().GetCellState(1, 1));
}

// The Edit items, greyed when there is nothing to do, and their keys: the items' state
// follows every step, a refused digit is none.
TEST_F(BoardTest, UndoAndRedoByMenuAndKeys) {
    Type(1, 1, L'8');
    Type(1, 2, L'9');  // refused
    EXPECT_FALSE(Greyed(ID_EDIT_UNDO));
    Command(ID_OPTIONS_Solve);
    std::string solved = ToPuzzleLine(Puzzle());
    Command(ID_EDIT_UNDO);
    EXPECT_FALSE(Greyed(ID_EDIT_REDO));
    Paint();
    Key('Z', {VK_CONTROL});
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Puzzle()));
    EXPECT_TRUE(RepaintPending());
    EXPECT_TRUE(Greyed(ID_EDIT_UNDO));
    Key('Z');  // without Ctrl: nothing
    Key('Y', {VK_CONTROL});
    Key('Z', {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(solved, ToPuzzleLine(Puzzle()));
    EXPECT_TRUE(Greyed(ID_EDIT_REDO));
}

// Arrows, Delete, Backspace and Space work without marks, and a move of the selection
// repaints (the focus frame follows it). Mark Selection is kept in the registry.
TEST_F(BoardTest, KeysMoveTheSelectionAndMarkSelectionIsKept) {
    const wchar_t key[] = L"Software\\Enneo Project\\Enneo Tessary";
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key, BoardSettings::kMarkSelection.name);
    Key(VK_RIGHT);  // none selected: the top-left cell
    EXPECT_EQ(1, Puzzle().GetSelectedCell().x);
    EXPECT_EQ(1, Puzzle().GetSelectedCell().y);
    EXPECT_TRUE(RepaintPending());
    for (wchar_t emptying : {L'\b', L' '}) {
        SendMessageW(handle_, WM_CHAR, L'8', 0);
        SendMessageW(handle_, WM_CHAR, emptying, 0);
        EXPECT_EQ(EnneoPuzzle::CELL_EMPTY, Puzzle().GetCellState(1, 1)) << emptying;
    }
    SendMessageW(handle_, WM_CHAR, L'8', 0);
    Key(VK_DELETE);
    EXPECT_EQ(EnneoPuzzle::CELL_EMPTY, Puzzle().GetCellState(1, 1));
    Key(VK_RIGHT);
    Key(VK_DELETE);  // a given cell
    EXPECT_EQ(9, Puzzle().GetCell(2, 1));

    EXPECT_FALSE(View().markSelection);
    Command(ID_OPTIONS_MARKSELECTION);
    EXPECT_TRUE(View().markSelection);
    EXPECT_TRUE(GetMenuState(GetMenu(handle_), ID_OPTIONS_MARKSELECTION, MF_BYCOMMAND) & MF_CHECKED);
    Paint();
    Key(VK_LEFT);
    EXPECT_TRUE(RepaintPending());
    Paint();
    Type(3, 3, L'x');
    EXPECT_TRUE(RepaintPending());
    {
        EnneoWindow restarted{kNoUpdateService, L""};
        restarted.Create(nullptr);
        EXPECT_TRUE(restarted.GetController().GetView().markSelection);
        restarted.Destroy();
    }
    Command(ID_OPTIONS_MARKSELECTION);
    EXPECT_FALSE(GetMenuState(GetMenu(handle_), ID_OPTIONS_MARKSELECTION, MF_BYCOMMAND) & MF_CHECKED);
    wchar_t value[8] = {};
    DWORD size = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, key, BoardSettings::kMarkSelection.name, RRF_RT_REG_SZ,
                                          nullptr, value, &size));
    EXPECT_STREQ(L"0", value);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key, BoardSettings::kMarkSelection.name);
}

// Ctrl with a digit of the main row or the keypad toggles that mark in the selected
// empty cell and Ctrl+0 clears them; with Alt as well (AltGr) nothing happens.
TEST_F(BoardTest, CtrlDigitsTogglePencilMarks) {
    Type(1, 1, L'x');  // selects an empty cell
    Paint();
    Key('1', {VK_CONTROL});
    EXPECT_TRUE(RepaintPending());
    Key(VK_NUMPAD5, {VK_CONTROL});
    Key('9', {VK_CONTROL});
    Key('9', {VK_CONTROL});
    Key('7', {VK_CONTROL, VK_MENU});
    Key('7');
    EXPECT_EQ(0x11, board_.GetController().GetGame().GetState().marks.Get(1, 1));
    Key(VK_NUMPAD0, {VK_CONTROL});
    EXPECT_EQ(0, board_.GetController().GetGame().GetState().marks.Get(1, 1));
}

// Hint ('?' or its item) selects the first mistake and says so in its box; Check says in
// its own how many digits do not fit. (The controller's tests go through every answer.)
TEST_F(BoardTest, HintAndCheckAnswerInTheirBoxes) {
    auto box = [this](const wchar_t* caption, WPARAM command) {
        DialogDriver driver({{caption, L"", IDOK}});
        if (command == 0) SendMessageW(handle_, WM_CHAR, L'?', 0);
        else Command(command);
        return driver.Texts().front();
    };
    Type(1, 3, L'1');  // the solution has 4 there
    Type(9, 2, L'9');  // and 8 here
    Type(1, 1, L'8');  // right
    const wchar_t mistake[] = L"The 9 in row 2, column 9 does not fit the puzzle's only solution.";
    EXPECT_EQ(mistake, box(L"Hint", 0));
    EXPECT_EQ(9, Puzzle().GetSelectedCell().x);
    EXPECT_EQ(2, Puzzle().GetSelectedCell().y);
    Type(1, 1, L'x');
    EXPECT_EQ(mistake, box(L"Hint", ID_OPTIONS_HINT));
    EXPECT_EQ(L"2 digits that are not givens do not fit the puzzle's only solution.", box(L"Check", ID_OPTIONS_CHECK));
    EXPECT_EQ(2u, View().misfits.size());
}

// Activation, minimizing and the session's lock start and stop the game's clock, and an
// undo back into a game brings back its time; Show Timer puts the time into the caption
// and is kept in the registry; Escape pauses and P switches the pencil mode, each item
// checked while on.
TEST_F(BoardTest, TheClockFollowsTheWindowAndTheCaptionShowsIt) {
    const GameClock& clock = board_.GetController().GetClock();
    auto message = [this](UINT message, WPARAM wParam) { SendMessageW(handle_, message, wParam, 0); };
    message(WM_ACTIVATE, WA_ACTIVE);
    EXPECT_TRUE(clock.IsRunning());
    const std::pair<UINT, WPARAM> stops[][2] = {
        {{WM_SIZE, SIZE_MINIMIZED}, {WM_SIZE, SIZE_RESTORED}},
        {{WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK}, {WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK}},
        {{WM_ACTIVATE, WA_INACTIVE}, {WM_ACTIVATE, WA_CLICKACTIVE}}};
    for (const auto& stop : stops) {
        message(stop[0].first, stop[0].second);
        EXPECT_FALSE(clock.IsRunning()) << stop[0].first;
        message(stop[1].first, stop[1].second);
        EXPECT_TRUE(clock.IsRunning()) << stop[1].first;
    }
    // New by mistake, then Undo: the first game goes on with its time.
    Sleep(100);
    uint64_t played = clock.GetElapsed();
    Command(ID_MFILE_NEW);
    EXPECT_LT(clock.GetElapsed(), played);
    Command(ID_EDIT_UNDO);
    EXPECT_GE(clock.GetElapsed(), played);

    const wchar_t key[] = L"Software\\Enneo Project\\Enneo Tessary";
    auto checked = [this](UINT command) {
        return (GetMenuState(GetMenu(handle_), command, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    Command(ID_OPTIONS_SHOWTIMER);
    wchar_t caption[64] = {};
    GetWindowTextW(handle_, caption, 64);
    EXPECT_EQ(0u, std::wstring(caption).find(L"Enneo Tessary - 0:")) << caption;
    EXPECT_TRUE(checked(ID_OPTIONS_SHOWTIMER));
    Command(ID_OPTIONS_SHOWTIMER);
    GetWindowTextW(handle_, caption, 64);
    EXPECT_STREQ(L"Enneo Tessary", caption);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key, BoardSettings::kShowTimer.name);

    Key(VK_ESCAPE);
    EXPECT_TRUE(View().paused && checked(ID_OPTIONS_PAUSE) && Greyed(ID_OPTIONS_HINT) && !clock.IsRunning());
    Key(VK_ESCAPE);
    EXPECT_FALSE(View().paused || checked(ID_OPTIONS_PAUSE));
    Key('P');
    EXPECT_TRUE(View().pencilMode && checked(ID_EDIT_PENCILMODE));
}

// The clipboard, as the program and other programs use it.
class ClipboardTest : public BoardTest {
protected:
    void Put(UINT format, HANDLE data) {
        ASSERT_TRUE(OpenClipboard(handle_));
        EmptyClipboard();
        if (data != nullptr) SetClipboardData(format, data);
        CloseClipboard();
    }
    static HGLOBAL Copied(const void* bytes, size_t size) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(GlobalLock(memory), bytes, size);
        GlobalUnlock(memory);
        return memory;
    }
    static HGLOBAL Copied(const std::wstring& text) { return Copied(text.c_str(), (text.size() + 1) * sizeof(wchar_t)); }
    void PutText(const std::wstring& text) { Put(CF_UNICODETEXT, Copied(text)); }
    // A browser's copy of part of a page: its HTML ("HTML Format", the header of byte
    // offsets before the fragment) and its text.
    void PutPage(const std::string& fragment, const std::wstring& text) {
        const std::string start = "<html><body><!--StartFragment-->";
        char header[128];
        const int headerLength = 97;  // the header below, its numbers eight digits wide
        int end = headerLength + static_cast<int>(start.size() + fragment.size());
        std::snprintf(header, sizeof header,
                      "Version:0.9\r\nStartHTML:%08d\r\nEndHTML:%08d\r\nStartFragment:%08d\r\nEndFragment:%08d\r\n",
                      headerLength, end, headerLength + static_cast<int>(start.size()), end);
        std::string html = header + start + fragment;
        ASSERT_TRUE(OpenClipboard(handle_));
        EmptyClipboard();
        SetClipboardData(RegisterClipboardFormatW(L"HTML Format"), Copied(html.c_str(), html.size() + 1));
        SetClipboardData(CF_UNICODETEXT, Copied(text));
        CloseClipboard();
    }
    std::wstring Text() {
        std::wstring text;
        if (!OpenClipboard(handle_)) return L"<not opened>";
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }
    // Ctrl+V with what the clipboard holds; the sentence of the box it brings.
    std::wstring Refused() {
        std::vector<std::wstring> texts = Boxes([this] { Key('V', {VK_CONTROL}); }, {{L"Paste Puzzle", L"", IDOK}});
        return texts.front();
    }
};

// Copy puts the givens (Ctrl+C) or every digit (Ctrl+Shift+C) on the clipboard as text.
// Ctrl+V and Shift+Insert take a puzzle back as one step of givens (every form the reader
// knows is its own test's); a picture, text without a puzzle and an empty clipboard give
// a box, and the board stays.
TEST_F(ClipboardTest, CopyAndPaste) {
    Type(1, 1, L'8');
    Key('C', {VK_CONTROL});
    EXPECT_EQ(0u, Text().find(Wide(kSampleLine) + L"\r\n . 9 7 | 3 . 5 | . 4 .\r\n"));
    Key('C', {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(L"8973", Text().substr(0, 4));

    std::string zeros = kOther;
    std::replace(zeros.begin(), zeros.end(), '.', '0');
    const std::pair<std::wstring, std::string> forms[] = {
        {Wide(zeros + " # rated 2.1\r\n"), kOther},
        {Wide("Puzzle 12\n+---+---+---+\n" + FramedRows(kSampleLine, "\n") + "+---+---+---+\n"), kSampleLine},
    };
    bool shiftInsert = false;
    for (const auto& form : forms) {
        SCOPED_TRACE(std::string(form.first.begin(), form.first.end()));
        PutText(form.first);
        if (shiftInsert) Key(VK_INSERT, {VK_SHIFT});
        else Key('V', {VK_CONTROL});
        shiftInsert = !shiftInsert;
        EXPECT_EQ(form.second, ToPuzzleLine(Puzzle()));
        EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, Puzzle().GetCellState(1, 9));
    }
    Key('Z', {VK_CONTROL});
    EXPECT_EQ(kOther, ToPuzzleLine(Puzzle()));  // one step each

    Put(CF_BITMAP, CreateBitmap(8, 8, 1, 1, nullptr));
    EXPECT_EQ(0u, Refused().find(L"The clipboard holds a picture, not text."));
    PutText(L"Dear player, no puzzle here. 12 3");
    EXPECT_EQ(0u, Refused().find(L"The text on the clipboard holds no puzzle."));
    Put(CF_UNICODETEXT, nullptr);
    EXPECT_EQ(L"The clipboard is empty. Copy a puzzle as text first.", Refused());
    EXPECT_EQ(kOther, ToPuzzleLine(Puzzle()));
}

// A web page's grid comes in from the clipboard's HTML before the text beside it; text of
// fields comes in as it is; text of several puzzles is a list that Ctrl+Shift+N walks.
TEST_F(ClipboardTest, PastesAWebPagesGridAndWalksAPastedList) {
    std::string table = "<table>";
    std::wstring commas;
    for (int row = 0; row < 9; ++row) {
        table += "<tr>";
        for (int column = 0; column < 9; ++column) {
            char cell = kSampleLine[row * 9 + column];
            char other = kOther[row * 9 + column];
            table += cell == '.' ? std::string("<td>&nbsp;</td>") : std::string("<td><b>") + cell + "</b></td>";
            if (other != '.') commas += static_cast<wchar_t>(other);
            commas += column < 8 ? L"," : L"\r\n";
        }
        table += "</tr>";
    }
    table += "</table>";
    PutPage(table, commas);
    Key('V', {VK_CONTROL});
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Puzzle()));
    PutText(commas);
    Key('V', {VK_CONTROL});
    EXPECT_EQ(kOther, ToPuzzleLine(Puzzle()));

    PutText(Wide(std::string(kSampleLine) + "\r\n" + kOther + "\r\n"));
    Key('V', {VK_CONTROL});
    EXPECT_FALSE(Greyed(ID_MFILE_NEXTPUZZLE));
    Key('N', {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(kOther, ToPuzzleLine(Puzzle()));
    Key('N', {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Puzzle()));
}

// A puzzle typed in (here the sample's digits on an empty board) becomes the givens with
// Ctrl+G: Reset keeps it, and Check grades it.
TEST_F(BoardTest, MakeDigitsGivensThenResetAndCheck) {
    Command(ID_MFILE_NEW);
    for (int i = 0; i < 81; ++i) {
        if (kSampleLine[i] != '.') Type(i % 9 + 1, i / 9 + 1, static_cast<wchar_t>(kSampleLine[i]));
    }
    EXPECT_EQ(EnneoPuzzle::CELL_SET, Puzzle().GetCellState(2, 1));
    Key('G', {VK_CONTROL});
    EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, Puzzle().GetCellState(2, 1));
    Type(1, 1, L'8');
    Command(ID_OPTIONS_Reset);
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Puzzle()));
    EXPECT_EQ(L"Every digit so far fits the puzzle's only solution.\n56 cells are left. Level: Medium (1.5).",
              Boxes([this] { Command(ID_OPTIONS_CHECK); }, {{L"Check", L"", IDOK}}).front());
}

TEST_F(BoardTest, RightClickAndF5LeaveThePuzzleAlone) {
    Click(WM_RBUTTONDOWN, 71, 21);
    Click(WM_RBUTTONDOWN, 100, 21);  // a given cell: nothing
    EXPECT_EQ(0, Puzzle().GetSelectedCell().x);
    EXPECT_TRUE(View().showHints);
    EXPECT_FALSE(RepaintPending());
    SendMessageW(handle_, WM_KEYUP, VK_F5, 0);
    EXPECT_TRUE(RepaintPending());
}

// The digit pad: a first click selects, a second on the selected cell opens the pad, a
// tap or a pen's touch opens it at once; its buttons place digits and marks as keys do,
// a given has none, its keys move among its buttons and pass the others on to the
// board, and the clock runs while it is open
// and stops when another window takes the activation from it.
TEST_F(BoardTest, TheDigitPadPlaysAWholeGameByTheMouse) {
    const GameClock& clock = board_.GetController().GetClock();
    SendMessageW(handle_, WM_ACTIVATE, WA_ACTIVE, 0);
    const DigitPad& pad = board_.GetDigitPad();
    auto press = [this](int x, int y) {
        const BoardGeometry& g = board_.GetGeometry();
        LPARAM place = MAKELPARAM(g.GetColumnLeft(x) + g.GetCellSize() / 2, g.GetRowTop(y) + g.GetCellSize() / 2);
        SendMessageW(handle_, WM_LBUTTONDOWN, MK_LBUTTON, place);
        SendMessageW(handle_, WM_LBUTTONUP, 0, place);
    };
    auto button = [&pad](int id) { return GetDlgItem(pad.GetHandle(), id); };
    auto click = [](HWND control) {
        SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    };
    auto key = [](WPARAM key) { SendMessageW(GetFocus(), WM_KEYDOWN, key, 0); };
    auto marks11 = [this] { return board_.GetController().GetGame().GetState().marks.Get(1, 1); };

    press(1, 1);
    EXPECT_FALSE(pad.IsOpen());
    press(1, 1);
    ASSERT_TRUE(pad.IsOpen());
    EXPECT_TRUE(clock.IsRunning());
    EXPECT_EQ(button(1), GetFocus());
    wchar_t text[8] = {};
    GetWindowTextW(button(9), text, 8);
    EXPECT_STREQ(L"9", text);
    // The check box is Pencil Mode: a digit becomes a mark, Empty clears the marks.
    click(button(DigitPad::kPencilModeButton));
    EXPECT_TRUE(View().pencilMode && pad.IsOpen());
    click(button(4));
    EXPECT_FALSE(pad.IsOpen());
    EXPECT_EQ(1 << 3, marks11());
    EXPECT_EQ(0, Puzzle().GetCell(1, 1));
    // The keys: Down from 1 to 4, Right to 5, Tab to 6, Shift+Tab back to 5, Up to 2;
    // Enter presses it; Escape closes without a choice.
    press(1, 1);
    key(VK_DOWN);
    key(VK_RIGHT);
    key(VK_TAB);
    BYTE keys[256] = {};
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    key(VK_TAB);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    key(VK_UP);
    EXPECT_EQ(button(2), GetFocus());
    key(VK_RETURN);
    EXPECT_EQ((1 << 3) | (1 << 1), marks11());
    press(1, 1);
    key(VK_DOWN);
    key(VK_DOWN);
    key(VK_DOWN);
    EXPECT_EQ(button(DigitPad::kEmptyButton), GetFocus());
    key(VK_RETURN);
    EXPECT_EQ(0, marks11());
    press(1, 1);
    key(VK_ESCAPE);
    EXPECT_FALSE(pad.IsOpen());
    press(1, 1);
    click(button(DigitPad::kPencilModeButton));
    EXPECT_FALSE(View().pencilMode);
    // Any other key is the board's: a digit typed with the pad open goes into the cell.
    HWND pencilMode = GetFocus();
    SendMessageW(pencilMode, WM_KEYDOWN, '8', 0);
    SendMessageW(pencilMode, WM_CHAR, L'8', 0);
    EXPECT_FALSE(pad.IsOpen());
    EXPECT_EQ(8, Puzzle().GetCell(1, 1));

    // A given cell takes the selection and opens no pad; a tap opens it at once.
    press(2, 1);
    press(2, 1);
    EXPECT_FALSE(pad.IsOpen());
    EXPECT_EQ(2, Puzzle().GetSelectedCell().x);
    SetMessageExtraInfo(0xFF515780);  // a touch's mark
    press(1, 1);
    SetMessageExtraInfo(0);
    EXPECT_TRUE(pad.IsOpen());
    // Another window's activation closes the pad and takes the board out of play.
    HWND other =
        CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    EXPECT_FALSE(pad.IsOpen() || clock.IsRunning());
    SetActiveWindow(handle_);
    DestroyWindow(other);
    EXPECT_TRUE(clock.IsRunning());

    // The whole game, its last digit answered by the box of the solved game; filled-in
    // candidates make it assisted, so that it leaves the statistics alone.
    Command(ID_EDIT_FILLCANDIDATES);
    EnneoPuzzle solved = Puzzle();
    solved.Solve();
    ASSERT_TRUE(solved.IsSolved());
    std::vector<EnneoPuzzle::Cell> empty;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            if (Puzzle().GetCell(x, y) == 0) empty.push_back({x, y});
        }
    }
    for (const EnneoPuzzle::Cell& cell : empty) {
        press(cell.x, cell.y);
        press(cell.x, cell.y);
        ASSERT_TRUE(pad.IsOpen()) << cell.x << "," << cell.y;
        HWND digit = button(solved.GetCell(cell.x, cell.y));
        if (&cell == &empty.back()) {
            EXPECT_EQ(1u, Boxes([&] { click(digit); }, {{L"", L"", IDOK}}).size());
        } else {
            click(digit);
        }
        EXPECT_EQ(solved.GetCell(cell.x, cell.y), Puzzle().GetCell(cell.x, cell.y)) << cell.x << "," << cell.y;
    }
    EXPECT_TRUE(Puzzle().IsSolved());
    EXPECT_FALSE(pad.IsOpen() || clock.IsRunning());
}

TEST_F(BoardTest, ADpiChangeScalesTheMarginAndRepaints) {
    ChangeDpi(handle_, 144, 400, 300);
    EXPECT_TRUE(RepaintPending());
    Paint();
    // The 40-pixel margin is 60 at 144 DPI: a board of 240 rounded down to nine cells.
    const BoardGeometry& g = board_.GetGeometry();
    EXPECT_EQ(80, g.GetLeft());
    EXPECT_EQ(30, g.GetTop());
    EXPECT_EQ(26, g.GetCellSize());
    EXPECT_EQ(234, g.GetSide());
}

TEST_F(BoardTest, MinimizingKeepsTheWindowRestorable) {
    SendMessageW(handle_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(handle_));
    ShowWindow(handle_, SW_RESTORE);
    EXPECT_FALSE(IsIconic(handle_));
}

// The board is centred: a smaller window repaints all of it, and the board fits.
TEST_F(BoardTest, ShrinkingRepaintsTheWholeBoard) {
    ResizeClient(300, 200);
    RECT update = {}, client = {};
    GetUpdateRect(handle_, &update, FALSE);
    GetClientRect(handle_, &client);
    EXPECT_TRUE(EqualRect(&client, &update));
    const BoardGeometry& g = board_.GetGeometry();
    EXPECT_EQ(17, g.GetCellSize());  // 200 less the margins, in nine cells
    EXPECT_EQ(70, g.GetLeft());
    EXPECT_LE(g.GetLeft() + g.GetSide(), 300);
}

// With Mark Selection off the selection shows nothing until the keyboard is used: then
// the selected cell has a focus frame, which a click hides again.
TEST_F(BoardTest, TheKeyboardShowsTheFocusFrameAndAClickHidesIt) {
    SetFocus(handle_);
    const BoardGeometry& g = board_.GetGeometry();
    auto frame = [&] { return Pixel(g.GetColumnLeft(2) + 3, g.GetRowTop(1) + 14); };  // left of the given 9
    Click(WM_LBUTTONDOWN, g.GetColumnLeft(2) + 14, g.GetRowTop(1) + 14);
    EXPECT_EQ(Palette().background, frame());
    Key(VK_LEFT);
    Key(VK_RIGHT);
    EXPECT_EQ(2, Puzzle().GetSelectedCell().x);
    EXPECT_TRUE(RepaintPending());
    EXPECT_EQ(Palette().lines, frame());
    Paint();
    Key(VK_DOWN);  // the frame follows the selection
    EXPECT_TRUE(RepaintPending());
    EXPECT_EQ(Palette().background, frame());
    Key(VK_UP);
    Click(WM_LBUTTONDOWN, g.GetColumnLeft(2) + 14, g.GetRowTop(1) + 14);
    EXPECT_EQ(Palette().background, frame());
}

// A system window colour too dark for the light look's black ink: the board is drawn in
// the system's colours, white lines on black here.
TEST_F(BoardTest, ADarkWindowColourKeepsTheGridVisible) {
    const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT};
    const COLORREF dark[] = {RGB(0, 0, 0), RGB(255, 255, 255)};
    COLORREF before[] = {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)};
    ASSERT_TRUE(SetSysColors(2, elements, dark));
    SendMessageW(handle_, WM_SYSCOLORCHANGE, 0, 0);
    const BoardGeometry& g = board_.GetGeometry();
    COLORREF background = Pixel(5, 5), line = Pixel(g.GetColumnLeft(4), g.GetRowTop(5) + 14);
    SetSysColors(2, elements, before);
    SendMessageW(handle_, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(RGB(0, 0, 0), background);
    EXPECT_EQ(RGB(255, 255, 255), line);
    EXPECT_EQ(RGB(0, 0, 0), Pixel(g.GetColumnLeft(4), g.GetRowTop(5) + 14));  // the light look again
}

// New Puzzle and the print jobs disable the board while they work, under the same
// progress, which takes the focus from it: the board has the keyboard again after them,
// and a click gives it back to a board that lost it anyway. (The print dialog cannot be
// driven here while other tests add and remove printers.)
TEST_F(BoardTest, TheKeyboardWorksAfterWorkWithProgress) {
    SetFocus(handle_);
    Key(VK_F2);  // an easy new puzzle
    EXPECT_NE(kSampleLine, ToPuzzleLine(Puzzle()));
    EXPECT_TRUE(IsWindowEnabled(handle_));
    EXPECT_EQ(handle_, GetFocus());
    KeyToFocus('Z', {VK_CONTROL});  // back to the sample
    KeyToFocus(VK_RIGHT);
    KeyToFocus(VK_RIGHT);
    KeyToFocus(VK_DOWN);
    SendMessageW(GetFocus(), WM_CHAR, L'8', 0);
    EXPECT_EQ(8, Puzzle().GetCell(2, 2));

    SetFocus(nullptr);
    const BoardGeometry& g = board_.GetGeometry();
    Click(WM_LBUTTONDOWN, g.GetColumnLeft(1) + 14, g.GetRowTop(2) + 14);
    EXPECT_EQ(handle_, GetFocus());
}

TEST_F(BoardTest, PuzzleCommands) {
    Command(ID_OPTIONS_Solve);
    EXPECT_TRUE(Puzzle().IsSolved());
    EXPECT_EQ("897315246", ToPuzzleLine(Puzzle()).substr(0, 9));
    Command(ID_OPTIONS_Reset);
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Puzzle()));
    // Nothing answers on the test build's service: the check ends in a box that says so,
    // and the board keeps its puzzle.
    EXPECT_EQ(0u, Boxes([this] { Command(IDM_CHECKUPDATES); }, {{L"", L"", IDOK}})
                      .at(0)
                      .find(L"The update service did not answer ("));
    EXPECT_EQ(nullptr, GetWindow(handle_, GW_ENABLEDPOPUP));
    EXPECT_TRUE(IsWindowEnabled(handle_));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Puzzle()));

    Command(ID_OPTIONS_SHOWHINTS);
    EXPECT_FALSE(View().showHints);
    Command(ID_OPTIONS_SHOWHINTS);
    EXPECT_TRUE(View().showHints);

    Type(1, 1, L'8');
    Command(ID_MFILE_NEW);
    EXPECT_EQ(std::string(81, '.'), ToPuzzleLine(Puzzle()));
    EXPECT_EQ(0, Puzzle().GetSelectedCell().x);

    Command(MAKEWPARAM(ID_OPTIONS_Solve, 1));  // an accelerator's high word: no command
    EXPECT_FALSE(Puzzle().IsSolved());
    EXPECT_EQ(0, SendMessageW(handle_, WM_COMMAND, 12345, 0));
}

// Each level's item installs a new puzzle of its level (the controller's tests check that
// it holds givens only); a second choice brings another puzzle; New still empties the board.
// The first three levels have their keys.
TEST_F(BoardTest, NewPuzzleItemsInstallAPuzzleOfTheirLevel) {
    HMENU file = GetSubMenu(GetMenu(handle_), 0);
    wchar_t text[32] = {};
    GetMenuStringW(file, 1, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(L"New &Puzzle", text);
    HMENU levels = GetSubMenu(file, 1);
    ASSERT_NE(nullptr, levels);
    EXPECT_EQ(kPuzzleLevelCount, GetMenuItemCount(levels));
    const UINT commands[] = {ID_MFILE_NEWPUZZLE_EASY, ID_MFILE_NEWPUZZLE_MEDIUM, ID_MFILE_NEWPUZZLE_HARD,
                             ID_MFILE_NEWPUZZLE_EXPERT, ID_MFILE_NEWPUZZLE_EXTREME};
    const wchar_t* const names[] = {L"&Easy\tF2", L"&Medium\tF3", L"&Hard\tF4", L"E&xpert", L"Ex&treme"};
    for (int i = 0; i < kPuzzleLevelCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(commands[i], GetMenuItemID(levels, i));
        GetMenuStringW(levels, i, text, 32, MF_BYPOSITION);
        EXPECT_STREQ(names[i], text);

        Type(5, 5, L'0');  // a selected cell, which a new puzzle drops
        Paint();
        Command(commands[i]);
        EXPECT_TRUE(RepaintPending());
        const EnneoPuzzle& puzzle = Puzzle();
        std::string givens = ToPuzzleLine(puzzle);
        EXPECT_EQ(0, puzzle.GetSelectedCell().x);
        EXPECT_GE(std::count(givens.begin(), givens.end(), '.'), 40);
        EXPECT_EQ(kPuzzleLevels[i], PuzzleRating(puzzle).GetLevel());
        if (i < 3) {
            Key(VK_F2 + i);
        } else {
            Command(commands[i]);
        }
        EXPECT_NE(givens, ToPuzzleLine(Puzzle()));
        EXPECT_EQ(kPuzzleLevels[i], PuzzleRating(Puzzle()).GetLevel());
    }
    Command(ID_MFILE_NEW);
    EXPECT_EQ(std::string(81, '.'), ToPuzzleLine(Puzzle()));
}

// Print New Puzzles offers the five levels as radio buttons in their order, side by side,
// each wide enough for its text in the dialog's font.
TEST_F(BoardTest, PrintNewPuzzlesOffersTheFiveLevels) {
    const int ids[] = {IDC_PRINT_EASY, IDC_PRINT_MEDIUM, IDC_PRINT_HARD, IDC_PRINT_EXPERT, IDC_PRINT_EXTREME};
    std::vector<std::wstring> texts;
    std::vector<std::pair<RECT, SIZE>> places;  // each button's place and its text's extent
    std::thread reader([&] {
        HWND dialog = nullptr;
        for (int i = 0; i < 400 && dialog == nullptr; ++i, Sleep(50)) {
            dialog = FindWindowW(L"#32770", L"Print New Puzzles");
        }
        if (dialog == nullptr) return;
        for (int id : ids) {
            HWND button = GetDlgItem(dialog, id);
            wchar_t text[32] = {};
            GetWindowTextW(button, text, 32);
            texts.push_back(text);
            std::wstring shown = text;
            shown.erase(std::remove(shown.begin(), shown.end(), L'&'), shown.end());
            HDC context = GetDC(button);
            HGDIOBJ font = SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
            SIZE extent = {};
            GetTextExtentPoint32W(context, shown.c_str(), static_cast<int>(shown.size()), &extent);
            SelectObject(context, font);
            ReleaseDC(button, context);
            RECT place = {};
            GetWindowRect(button, &place);
            places.push_back({place, extent});
        }
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Command(ID_MFILE_PRINTNEWPUZZLES);
    reader.join();
    EXPECT_EQ((std::vector<std::wstring>{L"&Easy", L"&Medium", L"&Hard", L"E&xpert", L"Ex&treme"}), texts);
    ASSERT_EQ(std::size(ids), places.size());
    for (size_t i = 0; i < places.size(); ++i) {
        SCOPED_TRACE(i);
        const RECT& place = places[i].first;
        EXPECT_EQ(places[0].first.top, place.top);
        if (i > 0) {
            EXPECT_LE(places[i - 1].first.right, place.left);
        }
        // The radio circle and its gap take about a menu check mark's width.
        EXPECT_LE(places[i].second.cx + GetSystemMetrics(SM_CXMENUCHECK) + 4, place.right - place.left);
    }
}

TEST_F(BoardTest, AboutShowsTheOneAboutWindowAndOpensTheHomePageEachTime) {
    ShellCallRecorder shell;
    const gui::AboutWindow& about = board_.GetAboutWindow();
    EXPECT_EQ(nullptr, about.GetHandle());
    Command(IDM_ABOUT);
    HWND window = about.GetHandle();
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(handle_, GetWindow(window, GW_OWNER));

    SendMessageW(window, WM_COMMAND, gui::AboutWindow::kOkCommand, 0);
    EXPECT_FALSE(IsWindowVisible(window));
    Command(IDM_ABOUT);  // a second creation would raise
    EXPECT_EQ(window, about.GetHandle());
    EXPECT_TRUE(IsWindowVisible(window));

    ASSERT_EQ(2u, shell.GetCalls().size());
    for (const ShellCall& call : shell.GetCalls()) {
        EXPECT_EQ(handle_, call.owner);
        EXPECT_EQ(L"open", call.verb);
        EXPECT_EQ(EnneoWindow::kHomePageUrl, call.target);
        EXPECT_EQ(SW_SHOWDEFAULT, call.showCommand);
    }
}

BOOL CALLBACK CountHelpWindows(HWND window, LPARAM count) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"HelpWindow") ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// F1 shows the help beside the board, which stays enabled, with the keyboard in its
// text: the program's help text, whose keys' section has a line for every menu item's
// key ("Ctrl+N<tab>File / New ...") that names the item. F1 again keeps the one window;
// Escape in the text hides it and the program goes on; F1 brings it back, restored.
TEST_F(BoardTest, F1ShowsTheOneHelpWindowWithEveryMenuKeyAndEscapeHidesIt) {
    const HelpWindow& help = board_.GetHelpWindow();
    EXPECT_EQ(nullptr, help.GetHandle());
    Key(VK_F1);
    HWND window = help.GetHandle();
    ASSERT_NE(nullptr, window);
    HWND edit = help.GetTextBox().GetHandle();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(handle_, GetWindow(window, GW_OWNER));
    EXPECT_TRUE(IsWindowEnabled(handle_));
    EXPECT_EQ(edit, GetFocus());

    std::wstring text(GetWindowTextLengthW(edit) + 1, L'\0');
    text.resize(GetWindowTextW(edit, &text[0], static_cast<int>(text.size())));
    EXPECT_EQ(HelpWindow::LoadText(), text);
    std::vector<std::wstring> lines;
    for (size_t start = 0, end; start < text.size(); start = end + 2) {
        end = std::min(text.find(L"\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_GE(lines.size(), 60u);
    std::vector<std::pair<UINT, std::wstring>> items;
    CollectItems(GetMenu(handle_), items);
    for (const auto& entry : items) {
        const std::wstring& item = entry.second;
        size_t tab = item.find(L'\t');
        if (tab == std::wstring::npos) continue;
        std::wstring key = item.substr(tab + 1) + L'\t';
        std::wstring name = item.substr(0, std::min(item.find(L'.'), tab));  // "P&rint...", "Sho&w Log ..."
        name.erase(std::remove(name.begin(), name.end(), L'&'), name.end());
        name.erase(name.find_last_not_of(L' ') + 1);
        SCOPED_TRACE(item);
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::wstring& line) {
            return line.compare(0, key.size(), key) == 0 && line.find(name) != std::wstring::npos;
        }));
    }

    Key(VK_F1);
    EXPECT_EQ(window, help.GetHandle());
    int helpWindows = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountHelpWindows, reinterpret_cast<LPARAM>(&helpWindows));
    EXPECT_EQ(1, helpWindows);
    SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(IsWindowVisible(window));
    MSG quit;
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    ShowWindow(window, SW_SHOWMINIMIZED);
    Key(VK_F1);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));
}

BOOL CALLBACK CountLogWindows(HWND window, LPARAM count) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"Thread") ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST_F(BoardTest, ShowLogShowsOneLogWindowRegisteredEachTime) {
    Command(ID_OPTIONS_SHOWLOG);
    Command(ID_OPTIONS_SHOWLOG);
    util::logging::WindowLogger* log = util::logging::WindowLogger::GetInstance();
    EXPECT_TRUE(IsWindowVisible(log->GetWindow()));
    int logWindows = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountLogWindows, reinterpret_cast<LPARAM>(&logWindows));
    EXPECT_EQ(1, logWindows);
    util::logging::LoggerManager::GetInstance()->Log(L"twice ");
    // Closed, it hides with its text, and the program goes on; Show Log brings it back.
    SendMessageW(log->GetWindow(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(log->GetWindow()));
    MSG quit;
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    Command(ID_OPTIONS_SHOWLOG);
    EXPECT_TRUE(IsWindowVisible(log->GetWindow()));
    wchar_t text[64] = {};
    GetWindowTextW(log->GetEditControl(), text, 64);
    EXPECT_STREQ(L"twice twice ", text);
}

// A folder of the test's own under the temporary folder. The file dialogs make the
// folder they chose the current one, so the test's current folder is put back before
// the folder goes.
class BoardFileTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        start_ = fs::current_path();
    }
    void TearDown() override {
        BoardTest::TearDown();
        fs::current_path(start_);
    }
    TempFolder folder_;
    fs::path start_;
};

// With the game kept, Save proposes a game file for a board holding the player's digits,
// so that they come back as the player's.
TEST_F(BoardFileTest, SaveAndOpenThroughTheDialogs) {
    std::wstring path = folder_.Path("saved.enn");
    if (!board_.GetController().IsOn(BoardCommand::kResumeGame)) {
        // Switched on in a window that keeps no game file: a box says where it is kept.
        Boxes([this] { Command(ID_OPTIONS_RESUMEGAME); }, {{L"", L"", IDOK}});
    }
    Type(1, 1, L'8');
    {
        DialogDriver driver({{L"", path, IDOK}});
        Command(ID_MFILE_Save);
        EXPECT_EQ(1u, driver.Texts().size());
    }
    ASSERT_TRUE(fs::exists(path));
    EXPECT_EQ("Enneo Tessary game", ReadBytes(path).substr(0, 18));

    Command(ID_MFILE_NEW);
    {
        DialogDriver driver({{L"", path, IDOK}});
        Command(ID_MFILE_OPEN);
        driver.Texts();
    }
    const EnneoPuzzle& opened = Puzzle();
    EXPECT_EQ(std::string("8") + (kSampleLine + 1), ToPuzzleLine(opened));
    EXPECT_EQ(EnneoPuzzle::CELL_SET, opened.GetCellState(1, 1));

    // A cancelled dialog changes nothing.
    DialogDriver driver({{L"", L"", IDCANCEL}});
    Command(ID_MFILE_OPEN);
    EXPECT_EQ(std::vector<std::wstring>{L""}, driver.Texts());
    EXPECT_EQ(std::string("8") + (kSampleLine + 1), ToPuzzleLine(Puzzle()));
}

TEST_F(BoardFileTest, AFileThatCannotBeReadKeepsTheBoard) {
    std::wstring path = folder_.Path("locked.enn");
    WriteBytes(path, "123");
    // Held open without sharing, so that the program cannot open it.
    HANDLE locked = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    Type(1, 1, L'8');
    DialogDriver driver({{L"", path, IDOK}, {L"Error (not very fatal)", L"", IDOK}});
    Command(ID_MFILE_OPEN);
    std::vector<std::wstring> texts = driver.Texts();
    CloseHandle(locked);
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ(L"Your enneo has died.\nError loading Enneo from file.", texts[1]);
    EXPECT_EQ(8, Puzzle().GetCell(1, 1));
}

// A read-only file is not saved over: the box tells, the old bytes stay, and nothing
// is left beside them.
TEST_F(BoardFileTest, AFailedSaveIsReported) {
    std::wstring path = folder_.Path("ro.enn");
    WriteBytes(path, "old bytes");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    DialogDriver driver({{L"", path, IDOK}, {L"", L"", IDYES}, {L"Error (not very fatal)", L"", IDOK}});
    Command(ID_MFILE_Save);
    std::vector<std::wstring> texts = driver.Texts();
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(3u, texts.size());
    EXPECT_EQ(L"Your enneo has died.\nError saving Enneo to file.", texts[2]);
    EXPECT_EQ("old bytes", ReadBytes(path));
    EXPECT_EQ(1, std::distance(fs::directory_iterator(folder_.Folder()), fs::directory_iterator()));
}

// Open reads each common form through its dialog; a list dropped on the window opens at
// its first puzzle, and Ctrl+Shift+N goes on to the next, its place shown in the item
// while the list is open.
// File lists the files opened, the latest first, and takes off one that has gone.
TEST_F(BoardFileTest, OpenAndDropReadEveryFormAndGoOnInAList) {
    const wchar_t settings[] = L"Software\\Enneo Project\\Enneo Tessary";
    auto forget = [&settings] {
        for (const wchar_t* section : {PuzzleIntake::kRecentFilesSection, PuzzleIntake::kListPlacesSection}) {
            RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(settings) + L"\\" + section).c_str());
        }
    };
    forget();
    const std::pair<const char*, std::string> files[] = {
        {"line.txt", kOther + " # from a forum\r\n"},
        {"puzzle.ss", "Puzzle\n" + FramedRows(kSampleLine, "\n")},
        {"puzzle.sdk", "#ARuud\r\n[Puzzle]\r\n" + FramedRows(kOther, "\r\n")},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.first);
        WriteBytes(folder_.Path(file.first), file.second);
        Boxes([this] { Command(ID_MFILE_OPEN); }, {{L"", folder_.Path(file.first), IDOK}});
        EXPECT_EQ(file.second[0] == 'P' ? std::string(kSampleLine) : kOther, ToPuzzleLine(Puzzle()));
    }

    std::wstring list = folder_.Path("list.sdm");
    WriteBytes(list, std::string(kSampleLine) + "\n" + kOther + "\n1" + std::string(80, '.') + "\n");
    EXPECT_TRUE(Greyed(ID_MFILE_NEXTPUZZLE));
    size_t size = sizeof(DROPFILES) + (list.size() + 2) * sizeof(wchar_t);
    HGLOBAL drop = GlobalAlloc(GHND, size);  // the window lets it go
    auto* dropped = static_cast<DROPFILES*>(GlobalLock(drop));
    dropped->pFiles = sizeof(DROPFILES);
    dropped->fWide = TRUE;
    std::memcpy(dropped + 1, list.c_str(), list.size() * sizeof(wchar_t));
    GlobalUnlock(drop);
    SendMessageW(handle_, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Puzzle()));
    EXPECT_FALSE(Greyed(ID_MFILE_NEXTPUZZLE));
    EXPECT_EQ(L"Next Puzzle in &File (now 1 of 3)\tCtrl+Shift+N", MenuText(ID_MFILE_NEXTPUZZLE));
    Key('N', {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(kOther, ToPuzzleLine(Puzzle()));
    std::vector<std::wstring> told = Boxes([this] { Key('N', {VK_CONTROL, VK_SHIFT}); }, {{L"Open", L"", IDOK}});
    EXPECT_EQ(L"This puzzle has more than one solution.", told.front());
    EXPECT_EQ(L"Next Puzzle in &File (now 3 of 3)\tCtrl+Shift+N", MenuText(ID_MFILE_NEXTPUZZLE));
    Key('Z', {VK_CONTROL});
    EXPECT_EQ(kOther, ToPuzzleLine(Puzzle()));

    EXPECT_EQ(L"&1 " + list, MenuText(ID_MFILE_RECENT_FIRST));
    EXPECT_EQ(L"&4 " + folder_.Path("line.txt"), MenuText(ID_MFILE_RECENT_FIRST + 3));
    fs::remove(folder_.Path("line.txt"));
    told = Boxes([this] { Command(ID_MFILE_RECENT_FIRST + 3); }, {{L"Open", L"", IDOK}});
    EXPECT_EQ(L"The file \"" + folder_.Path("line.txt") + L"\" is no longer there, so it was taken off the list.",
              told.front());
    // Files that other test programs opened before this window was made may follow ours.
    for (UINT item = 0; item < 8; ++item) {
        EXPECT_EQ(std::wstring::npos, MenuText(ID_MFILE_RECENT_FIRST + item).find(L"line.txt"));
    }
    Command(ID_MFILE_RECENT_FIRST + 2);  // puzzle.ss
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Puzzle()));
    EXPECT_EQ(L"Next Puzzle in &File\tCtrl+Shift+N", MenuText(ID_MFILE_NEXTPUZZLE));  // no list: the item's own text
    forget();
}

// The visible board window of one thread: other test programs running side by side
// show boards of their own.
BOOL CALLBACK FindVisibleBoard(HWND window, LPARAM found) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (std::wstring(className) != L"EnneoWindow" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

TEST(EnneoAppTest, ExitEndsTheProgramWithZero) {
    DWORD programThread = GetCurrentThreadId();
    std::thread chooser([programThread] {
        for (int i = 0; i < 200; ++i) {
            HWND board = nullptr;
            EnumThreadWindows(programThread, &FindVisibleBoard, reinterpret_cast<LPARAM>(&board));
            if (board != nullptr) {
                PostMessageW(board, WM_COMMAND, ID_MFILE_EXIT, 0);
                return;
            }
            Sleep(50);
        }
    });
    EXPECT_EQ(0, RunApplication());
    chooser.join();
    EXPECT_TRUE(IsWindowVisible(application.GetBoard().GetHandle()));  // Exit closes nothing
}

}  // namespace
