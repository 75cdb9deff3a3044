// AboutWindow: the pop-up that shows the program's name, version and company.
#pragma once

#include "ButtonControl.h"
#include "IconControl.h"
#include "MainWindowBase.h"
#include "StaticControl.h"
#include "SysLinkControl.h"
#include "TextFont.h"

namespace gui {

// A captioned pop-up without close box, resizing frame or minimise and maximise boxes:
// the program icon at the top right, the application's name in bold "Tahoma", a text
// with the product version, the file description and the company name, and an "OK"
// button that hides the window, its texts in the current language; closing it (Alt+F4)
// and Escape hide it too, and the program goes on. It lays its content out on every
// size change. The owner creates it once and shows it again after it was hidden; a link
// in the text opens in the browser.
class AboutWindow : public MainWindowBase {
public:
    static constexpr WORD kOkCommand = 504;

    AboutWindow();

    void PreRegisterClass(WNDCLASSEXW& windowClass) override;
    // Builds the content, sizes the window to the client area of a 280 x 220 window and
    // centres it. Every size here is in pixels at 96 DPI, scaled to the window's DPI.
    void OnCreate() override;
    // Gives the caption, the information text and OK their texts in the current
    // language, as made and after a change of language.
    void ShowTexts();
    void OnSize(WPARAM wParam, LPARAM lParam) override;
    LRESULT MessageHandler(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) override;
    // The icon is loaded again at its size for the new DPI.
    void OnDpiChanged(const DpiScale& scale, const RECT& suggested) override;
    // OK hides the window; every other command is answered 0.
    int OnCommandMessage(WPARAM wParam, LPARAM lParam) override;
    // Hides the window and keeps it, for the owner to show again.
    int OnClose() override;
    // Opens the URL of the information text's first link when it is clicked or entered;
    // answers 1 then and 0 for anything else.
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam) override;

    const ButtonControl& GetOkButton() const { return okButton_; }
    const StaticControl& GetNameLabel() const { return nameLabel_; }
    const SysLinkControl& GetInformation() const { return information_; }
    const IconControl& GetIcon() const { return icon_; }

private:
    // Loads the program icon at its 48-pixel size for the DPI, and shows it.
    void ShowIcon(const DpiScale& scale);

    ButtonControl okButton_;
    StaticControl nameLabel_;
    SysLinkControl information_;
    TextFont titleFont_;
    IconControl icon_;
};

}  // namespace gui
