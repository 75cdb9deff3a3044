// Tests of the board window: geometry, mouse and keyboard input, and the commands.
#include "app/EnneoApp.h"
#include "common/util/logging/LoggerManager.h"
#include "common/util/logging/WindowLogger.h"
#include "puzzle/PuzzleLine.h"
#include "resources/resource.h"
#include "tests/common/TestFiles.h"
#include "tests/common/gui/ControlPlaces.h"
#include "tests/puzzle/CoachGrids.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ShellCallRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

// Nothing listens on the discard port: the board window's update checks end at once.
const wchar_t kNoUpdateService[] = L"http://127.0.0.1:9/versions/index.php";

// The program's application object, as the program declares it.
static EnneoApp application(kNoUpdateService, L"");

namespace {

const char kSampleLine[] =
    ".973.5.4." ".....6..." "..298...." "...6....5" ".28.....3"
    "64.7...8." ".....3867" "........." "7.5.....4";

// A board window with a client area of 400 x 300, painted once.
class BoardTest : public ::testing::Test {
protected:
    void SetUp() override {
        handle_ = board_.Create(nullptr);
        RECT outer, client;
        GetWindowRect(handle_, &outer);
        GetClientRect(handle_, &client);
        int width = 400 + (outer.right - outer.left) - client.right;
        int height = 300 + (outer.bottom - outer.top) - client.bottom;
        SetWindowPos(handle_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        board_.Show(SW_SHOWNORMAL);
        Paint();
    }
    void TearDown() override { board_.Destroy(); }

    void Paint() {
        InvalidateRect(handle_, nullptr, TRUE);
        UpdateWindow(handle_);
    }
    void Click(UINT message, int x, int y) { SendMessageW(handle_, message, 0, MAKELPARAM(x, y)); }
    // Selects the cell by a click at its centre and types a character.
    void Type(int x, int y, wchar_t character) {
        const BoardGeometry& g = board_.GetGeometry();
        int cell = g.GetCellSize();
        Click(WM_LBUTTONDOWN, g.GetLeft() + cell * (x - 1) + cell / 2, g.GetTop() + cell * (y - 1) + cell / 2);
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
    // Whether a repaint of the whole client area is pending.
    bool RepaintPending() {
        RECT update;
        return GetUpdateRect(handle_, &update, FALSE) != 0;
    }

    EnneoWindow board_{kNoUpdateService, L""};
    HWND handle_ = nullptr;
};

TEST(BoardGeometryTest, PlacesTheBoardInTheClientArea) {
    BoardGeometry g(400, 300);
    EXPECT_EQ(70, g.GetLeft());
    EXPECT_EQ(20, g.GetTop());
    EXPECT_EQ(28, g.GetCellSize());
    EXPECT_EQ(252, g.GetSide());
    EnneoPuzzle::Cell cell;
    EXPECT_FALSE(g.CellAt(70, 100, cell));   // the left edge line
    EXPECT_FALSE(g.CellAt(100, 20, cell));   // the top edge line
    EXPECT_FALSE(g.CellAt(322, 100, cell));  // the right edge line
    ASSERT_TRUE(g.CellAt(71, 21, cell));
    EXPECT_EQ(1, cell.x);
    EXPECT_EQ(1, cell.y);
    ASSERT_TRUE(g.CellAt(321, 271, cell));
    EXPECT_EQ(9, cell.x);
    EXPECT_EQ(9, cell.y);
    EXPECT_FALSE(BoardGeometry().CellAt(0, 0, cell));  // before the first paint
    BoardGeometry tiny(10, 10);  // under 40 pixels: still a board, from absolute values
    EXPECT_EQ(20, tiny.GetLeft());
    EXPECT_EQ(27, tiny.GetSide());
}

TEST_F(BoardTest, CreatesWithCaptionMenuAndTheSample) {
    wchar_t caption[64] = {};
    GetWindowTextW(handle_, caption, 64);
    EXPECT_STREQ(L"Enneo Tessary", caption);
    HMENU menu = GetMenu(handle_);
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(4, GetMenuItemCount(menu));
    const std::pair<UINT, const wchar_t*> items[] = {{ID_OPTIONS_SHOWLOG, L"Sho&w Log ..."},
                                                     {ID_EDIT_UNDO, L"&Undo\tCtrl+Z"},
                                                     {ID_EDIT_REDO, L"&Redo\tCtrl+Y"},
                                                     {ID_OPTIONS_MARKSELECTION, L"&Mark Selection"},
                                                     {ID_OPTIONS_HINT, L"Hin&t"},
                                                     {ID_OPTIONS_CHECK, L"&Check"}};
    wchar_t text[32] = {};
    for (const auto& item : items) {
        GetMenuStringW(menu, item.first, text, 32, MF_BYCOMMAND);
        EXPECT_STREQ(item.second, text);
    }
    GetMenuStringW(menu, 1, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(L"&Edit", text);
    EXPECT_TRUE(Greyed(ID_EDIT_UNDO));
    EXPECT_TRUE(Greyed(ID_EDIT_REDO));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(board_.GetPuzzle()));
    EXPECT_TRUE(board_.IsShowingHints());
    EXPECT_EQ(70, board_.GetGeometry().GetLeft());
    EXPECT_EQ(28, board_.GetGeometry().GetCellSize());
}

TEST_F(BoardTest, ClicksSelectCellsInsideTheBoardOnly) {
    Click(WM_LBUTTONDOWN, 70, 21);
    EXPECT_EQ(0, board_.GetPuzzle().GetSelectedCell().x);
    Click(WM_LBUTTONDOWN, 71, 21);
    EXPECT_EQ(1, board_.GetPuzzle().GetSelectedCell().x);
    EXPECT_EQ(1, board_.GetPuzzle().GetSelectedCell().y);
    Click(WM_LBUTTONDOWN, 70 + 28 * 4 + 1, 20 + 28 * 8 + 1);
    EXPECT_EQ(5, board_.GetPuzzle().GetSelectedCell().x);
    EXPECT_EQ(9, board_.GetPuzzle().GetSelectedCell().y);
}

TEST_F(BoardTest, DigitEntry) {
    SendMessageW(handle_, WM_CHAR, L'8', 0);  // nothing selected yet
    EXPECT_EQ(kSampleLine, ToPuzzleLine(board_.GetPuzzle()));

    Type(1, 1, L'8');
    EXPECT_EQ(8, board_.GetPuzzle().GetCell(1, 1));
    EXPECT_EQ(EnneoPuzzle::CELL_SET, board_.GetPuzzle().GetCellState(1, 1));
    EXPECT_TRUE(RepaintPending());

    Paint();
    Type(1, 2, L'9');  // 9 is in block 1 already: refused, still repainted
    EXPECT_EQ(0, board_.GetPuzzle().GetCell(1, 2));
    EXPECT_TRUE(RepaintPending());

    Type(2, 1, L'1');  // a given cell
    EXPECT_EQ(9, board_.GetPuzzle().GetCell(2, 1));
    Type(1, 1, L'x');
    EXPECT_EQ(8, board_.GetPuzzle().GetCell(1, 1));
    Type(1, 1, L'0');
    EXPECT_EQ(EnneoPuzzle::CELL_EMPTY, board_.GetPuzzle().GetCellState(1, 1));
}

// The Edit items, greyed when there is nothing to do, and their keys: the items' state
// follows every step, a refused digit is none.
TEST_F(BoardTest, UndoAndRedoByMenuAndKeys) {
    Type(1, 1, L'8');
    Type(1, 2, L'9');  // refused
    EXPECT_FALSE(Greyed(ID_EDIT_UNDO));
    Command(ID_OPTIONS_Solve);
    std::string solved = ToPuzzleLine(board_.GetPuzzle());
    Command(ID_EDIT_UNDO);
    EXPECT_FALSE(Greyed(ID_EDIT_REDO));
    Paint();
    Key('Z', {VK_CONTROL});
    EXPECT_EQ(kSampleLine, ToPuzzleLine(board_.GetPuzzle()));
    EXPECT_TRUE(RepaintPending());
    EXPECT_TRUE(Greyed(ID_EDIT_UNDO));
    Key('Z');  // without Ctrl: nothing
    Key('Y', {VK_CONTROL});
    Key('Z', {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(solved, ToPuzzleLine(board_.GetPuzzle()));
    EXPECT_TRUE(Greyed(ID_EDIT_REDO));
}

// Arrows, Delete, Backspace and Space work without marks, and a move of the selection
// repaints only with them. Mark Selection is kept in the registry.
TEST_F(BoardTest, KeysMoveTheSelectionAndMarkSelectionIsKept) {
    const wchar_t key[] = L"Software\\Enneo Project\\Enneo Tessary";
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key, EnneoWindow::kMarkSelectionSetting);
    Key(VK_RIGHT);  // none selected: the top-left cell
    EXPECT_EQ(1, board_.GetPuzzle().GetSelectedCell().x);
    EXPECT_EQ(1, board_.GetPuzzle().GetSelectedCell().y);
    EXPECT_FALSE(RepaintPending());
    for (wchar_t emptying : {L'\b', L' '}) {
        SendMessageW(handle_, WM_CHAR, L'8', 0);
        SendMessageW(handle_, WM_CHAR, emptying, 0);
        EXPECT_EQ(EnneoPuzzle::CELL_EMPTY, board_.GetPuzzle().GetCellState(1, 1)) << emptying;
    }
    SendMessageW(handle_, WM_CHAR, L'8', 0);
    Key(VK_DELETE);
    EXPECT_EQ(EnneoPuzzle::CELL_EMPTY, board_.GetPuzzle().GetCellState(1, 1));
    Key(VK_RIGHT);
    Key(VK_DELETE);  // a given cell
    EXPECT_EQ(9, board_.GetPuzzle().GetCell(2, 1));

    EXPECT_FALSE(board_.IsMarkingSelection());
    Command(ID_OPTIONS_MARKSELECTION);
    EXPECT_TRUE(board_.IsMarkingSelection());
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
        EXPECT_TRUE(restarted.IsMarkingSelection());
        restarted.Destroy();
    }
    Command(ID_OPTIONS_MARKSELECTION);
    EXPECT_FALSE(GetMenuState(GetMenu(handle_), ID_OPTIONS_MARKSELECTION, MF_BYCOMMAND) & MF_CHECKED);
    wchar_t value[8] = {};
    DWORD size = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, key, EnneoWindow::kMarkSelectionSetting, RRF_RT_REG_SZ,
                                          nullptr, value, &size));
    EXPECT_STREQ(L"0", value);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key, EnneoWindow::kMarkSelectionSetting);
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
    EXPECT_EQ(0x11, board_.GetMarks().Get(1, 1));
    Key(VK_NUMPAD0, {VK_CONTROL});
    EXPECT_EQ(0, board_.GetMarks().Get(1, 1));
}

// Each of Hint's answers in its box, and the cell it selects: a board for each kind of
// step, the first mistake in reading order, and the verdicts; '?' is Hint too.
TEST_F(BoardTest, HintExplainsTheNextStepOrTheFirstMistake) {
    auto hint = [this](WPARAM how) {
        DialogDriver driver({{L"Hint", L"", IDOK}});
        if (how == 0) SendMessageW(handle_, WM_CHAR, L'?', 0);
        else Command(ID_OPTIONS_HINT);
        return driver.Texts().front();
    };
    auto selected = [this] {
        EnneoPuzzle::Cell cell = board_.GetPuzzle().GetSelectedCell();
        return std::make_pair(cell.x, cell.y);
    };
    const wchar_t* const steps[] = {
        L"9 goes in row 6, column 4: it is the only digit left for that cell.",
        L"1 goes in row 6, column 4: it is the only place for 1 in its block.",
        L"9 goes in row 2, column 9: it is the only place for 9 in row 2.",
        L"3 goes in row 5, column 3: it is the only place for 3 in column 3.",
        L"No cell has a single digit left, and no digit a single place in a block, a row or a column, so the next "
        L"step is a trial: the solver would try 5 in row 1, column 1.",
    };
    for (int i = 0; i < 5; ++i) {
        board_.SetPuzzle(ReadPuzzleLine(kStepGrids[i].givens));
        EXPECT_EQ(steps[i], hint(i % 2 == 0 ? 0 : ID_OPTIONS_HINT));
        EXPECT_EQ(std::make_pair(kStepGrids[i].x, kStepGrids[i].y), selected());
        EXPECT_EQ(kStepGrids[i].givens, ToPuzzleLine(board_.GetPuzzle()));  // nothing placed
    }

    board_.SetPuzzle(ReadPuzzleLine(kSampleLine));
    Type(1, 3, L'1');  // the solution has 4 there
    Type(9, 2, L'9');  // and 8 here
    Type(1, 1, L'8');  // right
    EXPECT_EQ(L"The 9 in row 2, column 9 does not fit the puzzle's only solution.", hint(0));
    EXPECT_EQ(std::make_pair(9, 2), selected());

    board_.SetPuzzle(ReadPuzzleLine("12345678.........9" + std::string(63, '.')));
    EXPECT_EQ(L"The puzzle has no solution.", hint(0));
    EXPECT_EQ(std::make_pair(0, 0), selected());
    Command(ID_MFILE_NEW);
    Type(5, 5, L'1');
    EXPECT_EQ(L"The puzzle has more than one solution.", hint(0));
    EXPECT_EQ(std::make_pair(5, 5), selected());  // kept
    board_.SetPuzzle(ReadPuzzleLine(kSampleLine));
    Command(ID_OPTIONS_Solve);
    EXPECT_EQ(L"The grid is solved.", hint(0));
}

// Check's answers: an open puzzle with its cells left and level, the player's digits
// that do not fit, and the verdicts.
TEST_F(BoardTest, CheckSaysWhetherTheDigitsFit) {
    auto check = [this] {
        DialogDriver driver({{L"Check", L"", IDOK}});
        Command(ID_OPTIONS_CHECK);
        return driver.Texts().front();
    };
    EXPECT_EQ(L"Every digit so far fits the puzzle's only solution.\n56 cells are left. The puzzle is Easy.", check());
    Type(1, 1, L'8');
    Type(9, 2, L'9');
    EXPECT_EQ(L"1 of your digits does not fit the puzzle's only solution.", check());
    Type(1, 3, L'1');
    EXPECT_EQ(L"2 of your digits do not fit the puzzle's only solution.", check());
    Command(ID_OPTIONS_Reset);
    Command(ID_OPTIONS_Solve);
    Type(1, 1, L'0');  // one cell from the end
    EXPECT_EQ(L"Every digit so far fits the puzzle's only solution.\n1 cell is left. The puzzle is Easy.", check());
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(L"The grid is solved.", check());
    board_.SetPuzzle(ReadPuzzleLine(kStepGrids[2].givens));
    EXPECT_EQ(L"Every digit so far fits the puzzle's only solution.\n55 cells are left. The puzzle is Hard.", check());
}

TEST_F(BoardTest, RightClickAndF5LeaveThePuzzleAlone) {
    Click(WM_RBUTTONDOWN, 71, 21);
    Click(WM_RBUTTONDOWN, 100, 21);  // a given cell: nothing
    EXPECT_EQ(0, board_.GetPuzzle().GetSelectedCell().x);
    EXPECT_TRUE(board_.IsShowingHints());
    EXPECT_FALSE(RepaintPending());
    SendMessageW(handle_, WM_KEYUP, VK_F5, 0);
    EXPECT_TRUE(RepaintPending());
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

TEST_F(BoardTest, PuzzleCommands) {
    Command(ID_OPTIONS_Solve);
    EXPECT_TRUE(board_.GetPuzzle().IsSolved());
    EXPECT_EQ("897315246", ToPuzzleLine(board_.GetPuzzle()).substr(0, 9));
    Command(ID_OPTIONS_Reset);
    EXPECT_EQ(kSampleLine, ToPuzzleLine(board_.GetPuzzle()));
    // Nothing answers on the test build's service: the check ends without a box, and the
    // board keeps its puzzle.
    Command(IDM_CHECKUPDATES);
    EXPECT_EQ(nullptr, GetWindow(handle_, GW_ENABLEDPOPUP));
    EXPECT_TRUE(IsWindowEnabled(handle_));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(board_.GetPuzzle()));

    Command(ID_OPTIONS_SHOWHINTS);
    EXPECT_FALSE(board_.IsShowingHints());
    Command(ID_OPTIONS_SHOWHINTS);
    EXPECT_TRUE(board_.IsShowingHints());

    Type(1, 1, L'8');
    Command(ID_MFILE_NEW);
    EXPECT_EQ(std::string(81, '.'), ToPuzzleLine(board_.GetPuzzle()));
    EXPECT_EQ(0, board_.GetPuzzle().GetSelectedCell().x);

    Command(MAKEWPARAM(ID_OPTIONS_Solve, 1));  // an accelerator's high word: no command
    EXPECT_FALSE(board_.GetPuzzle().IsSolved());
    EXPECT_EQ(0, SendMessageW(handle_, WM_COMMAND, 12345, 0));
}

// Each level's item installs a puzzle of givens only, shown red, that Solve completes
// and Reset restores; a second choice brings another puzzle; New still empties the board.
TEST_F(BoardTest, NewPuzzleItemsInstallGivensThatSolveCompletes) {
    HMENU file = GetSubMenu(GetMenu(handle_), 0);
    wchar_t text[32] = {};
    GetMenuStringW(file, 1, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(L"New &Puzzle", text);
    HMENU levels = GetSubMenu(file, 1);
    ASSERT_NE(nullptr, levels);
    EXPECT_EQ(3, GetMenuItemCount(levels));
    const UINT commands[] = {ID_MFILE_NEWPUZZLE_EASY, ID_MFILE_NEWPUZZLE_MEDIUM, ID_MFILE_NEWPUZZLE_HARD};
    const wchar_t* const names[] = {L"&Easy", L"&Medium", L"&Hard"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(commands[i], GetMenuItemID(levels, i));
        GetMenuStringW(levels, i, text, 32, MF_BYPOSITION);
        EXPECT_STREQ(names[i], text);

        Type(5, 5, L'0');  // a selected cell, which a new puzzle drops
        Paint();
        Command(commands[i]);
        EXPECT_TRUE(RepaintPending());
        EnneoPuzzle& puzzle = board_.GetPuzzle();
        std::string givens = ToPuzzleLine(puzzle);
        EXPECT_EQ(0, puzzle.GetSelectedCell().x);
        EXPECT_GE(std::count(givens.begin(), givens.end(), '.'), 40);
        for (int y = 1; y <= 9; ++y) {
            for (int x = 1; x <= 9; ++x) {
                int expected = puzzle.GetCell(x, y) == 0 ? EnneoPuzzle::CELL_EMPTY : EnneoPuzzle::CELL_KNOWN;
                EXPECT_EQ(expected, puzzle.GetCellState(x, y)) << x << "," << y;
            }
        }
        Command(ID_OPTIONS_Solve);
        EXPECT_TRUE(puzzle.IsSolved());
        Command(ID_OPTIONS_Reset);
        EXPECT_EQ(givens, ToPuzzleLine(board_.GetPuzzle()));
        Command(commands[i]);
        EXPECT_NE(givens, ToPuzzleLine(board_.GetPuzzle()));
    }
    Command(ID_MFILE_NEW);
    EXPECT_EQ(std::string(81, '.'), ToPuzzleLine(board_.GetPuzzle()));
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

TEST_F(BoardFileTest, SaveAndOpenThroughTheDialogs) {
    std::wstring path = folder_.Path("saved.enn");
    Type(1, 1, L'8');
    {
        DialogDriver driver({{L"", path, IDOK}});
        Command(ID_MFILE_Save);
        EXPECT_EQ(1u, driver.Texts().size());
    }
    ASSERT_TRUE(fs::exists(path));
    EXPECT_EQ(273u, fs::file_size(path));

    Command(ID_MFILE_NEW);
    {
        DialogDriver driver({{L"", path, IDOK}});
        Command(ID_MFILE_OPEN);
        driver.Texts();
    }
    EnneoPuzzle& opened = board_.GetPuzzle();
    EXPECT_EQ(std::string("8") + (kSampleLine + 1), ToPuzzleLine(opened));
    EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, opened.GetCellState(1, 1));  // saved digits come back as givens

    // A cancelled dialog changes nothing.
    DialogDriver driver({{L"", L"", IDCANCEL}});
    Command(ID_MFILE_OPEN);
    EXPECT_EQ(std::vector<std::wstring>{L""}, driver.Texts());
    EXPECT_EQ(std::string("8") + (kSampleLine + 1), ToPuzzleLine(board_.GetPuzzle()));
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
    EXPECT_EQ(8, board_.GetPuzzle().GetCell(1, 1));
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
