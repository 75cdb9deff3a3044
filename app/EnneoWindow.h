// EnneoWindow: the board window, the program's main window.
#pragma once

#include "BoardGeometry.h"
#include "common/gui/AboutWindow.h"
#include "common/gui/MainWindowBase.h"
#include "common/util/version/VersionCheck.h"
#include "puzzle/EnneoPuzzle.h"
#include "puzzle/PuzzleGenerator.h"

#include <memory>

// Draws the board of its puzzle (given digits red, the user's and the solver's black,
// the candidates of empty cells small and grey while hints are on), takes the mouse and
// keyboard input, and carries the menu commands. It owns its puzzle and replaces it
// whole for New, New Puzzle and Open.
class EnneoWindow : public gui::MainWindowBase {
public:
    // The program's home page, which About opens.
    static const wchar_t* const kHomePageUrl;

    // updateUrl: the update service's absolute "http://" URL; updatePublicKey: the base64
    // text of the publisher's PEM public key, empty for none (then no update is ever
    // installed). Both are copied. The update check runs here, before any window exists.
    EnneoWindow(const wchar_t* updateUrl, const wchar_t* updatePublicKey);
    ~EnneoWindow() override;

    // Caption "Enneo Tessary", the board menu and the program icon.
    void OnCreate() override;
    LRESULT MessageHandler(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint(HDC deviceContext) override;

    // Runs the command whose identifier equals wParam whole; always 0.
    int OnCommand(WPARAM wParam);
    void OnSelectCell(int x, int y);
    // Enters a digit ('1'-'9') or empties the cell ('0') at the selected cell, unless it
    // holds a given digit; repaints in any case once a cell is selected.
    void OnKeyPressed(wchar_t character);
    // Installs a new puzzle of the level, seeded from the clock, so that each choice
    // brings another one; its givens are given digits, no cell is selected.
    void OnNewPuzzle(PuzzleGenerator::Level level);
    void OnFileOpen();
    void OnFileSave();
    // Creates the About window the first time, shows it and opens the home page.
    void OnAbout();
    // Shows the log window (made on first use) and registers it with the logger manager.
    void OnShowLog();
    // Installs a new puzzle and deletes the old one.
    void SetPuzzle(std::unique_ptr<EnneoPuzzle> puzzle);

    EnneoPuzzle& GetPuzzle() { return *puzzle_; }
    bool IsShowingHints() const { return showHints_; }
    const BoardGeometry& GetGeometry() const { return geometry_; }
    const gui::AboutWindow& GetAboutWindow() const { return about_; }

private:
    void DrawCell(HDC deviceContext, int x, int y);
    void ShowCandidates(int x, int y);
    void RepaintAll();

    gui::AboutWindow about_;
    BoardGeometry geometry_;
    // Constructed before the puzzle: its start-up check runs before any window exists.
    util::version::VersionCheck versionCheck_;
    std::unique_ptr<EnneoPuzzle> puzzle_;
    bool showHints_;
};
