// HelpWindow: the program's own help, a document to read beside the board.
#pragma once

#include "common/gui/EditControl.h"
#include "common/gui/MainWindowBase.h"

#include <string>

// A resizable top-level window, owned by the board window, that shows the help's text
// (the catalogue's help/kHelpText, in the current language) in a read-only multi-line
// edit control filling its client area: screen readers read it line by line, and the player can
// select and copy from it. It is modeless, so the board plays on while it shows. The
// board window makes it once and presents it again on each F1; closing it (Alt+F4, the
// close box) or Escape hides it with its place in the text, and the program goes on.
class HelpWindow : public gui::MainWindowBase {
public:
    HelpWindow();

    // The help's text in the current language, with its lines ending in CR LF, as an
    // edit control shows them.
    static std::wstring LoadText();

    // Caption "Enneo Tessary Help", the program icon, the text at the top with the
    // keyboard's focus in it, 520 x 600 pixels at 96 DPI, centred in the work area.
    void OnCreate() override;
    // Gives the caption and the text in the current language, as made and after a
    // change of language (the text then shows from its top).
    void ShowTexts();
    // Makes the window (owner: the board window) the first time, then shows it, restored
    // if it was minimized, and brings it to the front.
    void Present(HWND owner);
    void OnSize(WPARAM wParam, LPARAM lParam) override;
    LRESULT MessageHandler(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Hides the window and keeps it, for the board window to present again.
    int OnClose() override;

    const gui::EditControl& GetTextBox() const { return textBox_; }

private:
    // The edit control's own procedure, replaced by ClosesOnEscape and called by it for
    // every other key and message.
    static LRESULT CALLBACK ClosesOnEscape(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

    gui::EditControl textBox_;
};
