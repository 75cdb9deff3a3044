// WindowControl: the root of the control classes, child windows of a system class.
#pragma once

#include "TextFont.h"
#include "Window.h"

#include <optional>

namespace gui {

// A visible child window of one of the system's window classes ("Static", "Button",
// ...). The class is never registered, so the control's messages go to the system's
// window procedure; what it reports reaches its parent as WM_COMMAND or WM_NOTIFY. The
// owning window creates it in its OnCreate with itself as parent and places it with
// SetPositionRect. A maximum width, when set, caps every width it is given. Its text is
// in the stock GUI font, or in the font SetTextFont describes, at the window's DPI.
class WindowControl : public Window {
public:
    void SetPosition(int x, int y, int width, int height, UINT flags) override;
    // The stock GUI font at the control's DPI (see ShowFont).
    void OnCreate() override;
    // Remakes the control's font for the new DPI.
    void SetDpiScale(const DpiScale& scale) override;

    // 0 stands for no limit.
    void SetMaxWidth(int maxWidth) { maxWidth_ = maxWidth; }
    // The width to use for the given one: the maximum width when the given one is 0 or
    // wider than a positive maximum, otherwise the given width.
    int LimitWidth(int width) const;
    // Makes the described font at the control's DPI, installs it (no redraw) and owns
    // it; the description is kept, so that a new DPI makes the font again.
    void SetTextFont(const TextFont& font);

protected:
    WindowControl(const wchar_t* className, const wchar_t* systemClassName, DWORD extraStyle = 0);

private:
    // Installs the font at the control's DPI: the description's, else the stock GUI
    // font itself at the DPI the system made it for, and a copy of it scaled to any
    // other DPI.
    void ShowFont();

    int maxWidth_ = 0;
    std::optional<TextFont> textFont_;
};

}  // namespace gui
