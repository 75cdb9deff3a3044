// DigitPad: the small window of the digits 1 to 9 that opens beside a cell, for play without keys.
#pragma once

#include "board/BoardCommand.h"
#include "board/BoardGeometry.h"
#include "board/BoardSnapshot.h"
#include "common/gui/ButtonControl.h"
#include "common/gui/Window.h"

#include <array>
#include <functional>

// A tool window owned by the board window, made of standard buttons so that screen
// readers read it as they find it: "1" to "9", Empty and the Pencil Mode check box, in
// that tab order, named for its cell. A press on the selected cell, or a tap or a pen's
// touch on any cell, opens it beside that cell; a choice runs the command its key would
// (the digit, or the mark in Pencil Mode; Empty as 0 or Ctrl+0) on the selected cell,
// so that the board answers a choice as it answers a key, and closes the pad. Escape, a
// click elsewhere and the loss of the activation close it too. Tab and the arrows move
// among its buttons and Enter presses one; any other key closes the pad and goes to the
// board, so that keys do there what they always do.
class DigitPad : public gui::Window {
public:
    using Runner = std::function<void(const BoardCommand&)>;

    // The buttons' child identifiers: the digits' are the digits themselves.
    static constexpr WORD kEmptyButton = 10;
    static constexpr WORD kPencilModeButton = 11;

    // board: the owner; snapshot and geometry: the board window's, kept up to date by
    // it, read while the pad lives; run: runs a command as the board window runs a
    // key's, its answer applied (and snapshot renewed) when it returns.
    DigitPad(const gui::Window& board, const BoardSnapshot& snapshot, const BoardGeometry& geometry, Runner run);

    // The left button's press on a cell of the board, with GetMessageExtraInfo of its
    // message: selects the cell and opens the pad on it when it was selected already
    // or when a pen or a touch made the press. No pad opens on a given cell, nor on the
    // picture of the pause, which the press ends.
    void Press(EnneoPuzzle::Cell cell, LPARAM extraInfo);
    // Hides the pad; the board window takes the activation back when the pad had it.
    void Close();
    bool IsOpen() const;
    // Whether the window is this pad: its activation keeps the board in play.
    bool Is(HWND window) const { return window != nullptr && window == GetHandle(); }
    // Whether a mouse message's extra information is Windows' mark of one made from a
    // pen or a touch.
    static bool IsPenOrTouch(LPARAM extraInfo);

    void PreRegisterClass(WNDCLASSEXW& windowClass) override;
    void OnCreate() override;
    void OnSize(WPARAM wParam, LPARAM lParam) override;
    LRESULT MessageHandler(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) override;
    // A button's click: a digit or Empty chooses, Pencil Mode switches the board's.
    int OnCommandMessage(WPARAM wParam, LPARAM lParam) override;
    // Alt+F4 hides the pad.
    int OnClose() override;

private:
    // Shows the pad beside the cell, inside its monitor's work area, with the focus
    // on "1" and the check box as Pencil Mode is.
    void Open(EnneoPuzzle::Cell cell);
    // Closes the pad and runs the digit (0: Empty) as a mark while the check box is set.
    void Choose(int digit);
    // A key (WM_KEYDOWN) or a character (WM_CHAR) from whichever control has the
    // focus: Tab, the arrows, Enter and Escape are the pad's, Shift and Ctrl wait for the
    // key they modify, and any other closes the pad and goes to the board (the space
    // bar too, which empties the cell there). False where the control's own handling
    // is to follow.
    bool OnKey(UINT message, WPARAM key, LPARAM lParam);
    // The button with this identifier (1 to kPencilModeButton).
    gui::ButtonControl& Button(WORD id);
    // Hands the buttons' keys and characters to the pad (OnKey); a Windows callback.
    static LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

    const gui::Window& board_;
    const BoardSnapshot& snapshot_;
    const BoardGeometry& geometry_;
    Runner run_;
    std::array<gui::ButtonControl, 9> digits_;
    gui::ButtonControl empty_;
    gui::ButtonControl pencilMode_;
};
