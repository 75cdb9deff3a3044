// EnneoWindow: the board window, the program's main window.
#pragma once

#include "BoardGeometry.h"
#include "common/gui/AboutWindow.h"
#include "common/gui/MainWindowBase.h"
#include "common/util/version/VersionCheck.h"
#include "puzzle/EnneoPuzzle.h"
#include "puzzle/Game.h"
#include "puzzle/PuzzleGenerator.h"

#include <vector>

// Draws the board of its game (given digits red, the user's and the solver's black,
// the pencil marks of empty cells small and blue, the candidates of the other empty
// cells small and grey while hints are on, and with Mark Selection on the selected cell
// and the cells holding its digit tinted), takes the mouse and keyboard input, and
// carries the menu commands. Every change of the board is a step of its Game, which
// Edit / Undo and Redo take back and do again. Hint and Check ask a Coach about the
// board and put its answer into a box.
class EnneoWindow : public gui::MainWindowBase {
public:
    // The program's home page, which About opens.
    static const wchar_t* const kHomePageUrl;
    // The registry value that keeps Mark Selection: "1" on; "0" or none, off.
    static const wchar_t kMarkSelectionSetting[];

    // updateUrl: the update service's absolute "http://" URL; updatePublicKey: the base64
    // text of the publisher's PEM public key, empty for none (then no update is ever
    // installed). Both are copied. The update check runs here, before any window exists.
    EnneoWindow(const wchar_t* updateUrl, const wchar_t* updatePublicKey);
    ~EnneoWindow() override;

    // Caption "Enneo Tessary", the board menu and the program icon; Mark Selection as
    // the registry keeps it.
    void OnCreate() override;
    LRESULT MessageHandler(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Draws the whole client area into a memory bitmap and copies it to the window once.
    void OnPaint(HDC deviceContext) override;

    // Runs the command whose identifier equals wParam whole; always 0.
    int OnCommand(WPARAM wParam);
    void OnSelectCell(int x, int y);
    // Enters a digit ('1'-'9') or empties the cell ('0', Backspace or Space) at the
    // selected cell, unless it holds a given digit; repaints in any case once a cell is
    // selected. '?' is Hint.
    void OnKeyPressed(wchar_t character);
    // Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo, the arrows move the selection,
    // Delete empties the selected cell, Ctrl+1 to Ctrl+9 (main row or keypad) toggle
    // that pencil mark in it and Ctrl+0 clears its marks.
    void OnKeyDown(WPARAM virtualKey);
    // Toggles the mark of digit (1-9) in the selected empty cell; 0 clears its marks.
    void OnMark(int digit);
    // Selects the cell of the first mistake or of the solver's next step, and says in a
    // box captioned "Hint" what it is and why; places nothing.
    void OnHint();
    // Says in a box captioned "Check" whether the digits so far fit the puzzle's only
    // solution; with Mark Selection on, the player's digits that do not are tinted
    // red until the board changes.
    void OnCheck();
    void OnUndo();
    void OnRedo();
    // Switches the marking of the selection and keeps the choice in the registry.
    void SetMarkSelection(bool on);
    // Installs a new puzzle of the level, seeded from the clock, so that each choice
    // brings another one; its givens are given digits, no cell is selected.
    void OnNewPuzzle(PuzzleGenerator::Level level);
    void OnFileOpen();
    void OnFileSave();
    // Creates the About window the first time, shows it and opens the home page.
    void OnAbout();
    // Shows the log window (made on first use, shown again after it was closed) and
    // registers it with the logger manager.
    void OnShowLog();
    // Installs a new puzzle in place of the current one, as one step.
    void SetPuzzle(const EnneoPuzzle& puzzle);

    EnneoPuzzle& GetPuzzle() { return game_.GetPuzzle(); }
    const PencilMarks& GetMarks() const { return game_.GetState().marks; }
    bool IsShowingHints() const { return showHints_; }
    bool IsMarkingSelection() const { return markSelection_; }
    const BoardGeometry& GetGeometry() const { return geometry_; }
    const gui::AboutWindow& GetAboutWindow() const { return about_; }

private:
    // The background, the selection's marks, the lines and the 81 cells.
    void DrawBoard(HDC deviceContext, const RECT& client);
    // Fills the selected cell, the cells of the last Check's misfits while the board is
    // the one checked, and the other cells holding the selected cell's digit, inside
    // their lines.
    void DrawSelectionMarks(HDC deviceContext);
    void DrawCell(HDC deviceContext, int x, int y);
    void ShowCandidates(int x, int y);
    void RepaintAll();
    // After a command that may have changed the game: repaints and updates the menu.
    void ShowGame();
    // Greys Undo and Redo when there is nothing to undo or redo, and checks Mark
    // Selection while it is on.
    void UpdateMenu();
    void MoveSelection(int dx, int dy);

    gui::AboutWindow about_;
    BoardGeometry geometry_;
    // Constructed before the game: its start-up check runs before any window exists.
    util::version::VersionCheck versionCheck_;
    Game game_;
    bool showHints_;
    bool markSelection_ = false;
    // The cells whose digits the last Check found not to fit, and the game's change
    // count then: they are tinted only while it stays.
    std::vector<EnneoPuzzle::Cell> misfits_;
    unsigned checkedChange_ = 0;
};
