// TextFont: the description of a font that a control shows its text in.
#pragma once

#include "DpiScale.h"
#include "common/Object.h"
#include "common/String.h"

#include <windows.h>

namespace gui {

// A face name, a height in pixels at 96 DPI and the bold and italic flags. MakeFont makes
// the font at a DPI (pitch and family FF_SWISS, weight FW_BOLD or the default) and hands
// it over: the control that installs it owns it from then on (WindowControl::SetTextFont).
class TextFont final : public Object {
public:
    TextFont(const wchar_t* faceName, int height) : Object(L"TextFont"), height_(height), faceName_(faceName) {}

    void SetBold(bool bold) { bold_ = bold; }
    void SetItalic(bool italic) { italic_ = italic; }

    // A new font of this description at the DPI; the caller owns it.
    HFONT MakeFont(const DpiScale& scale) const {
        return CreateFontW(scale.Pixels(height_), 0, 0, 0, bold_ ? FW_BOLD : 0, italic_, FALSE, FALSE, 0, 0, 0, 0,
                           FF_SWISS, faceName_.GetText());
    }

private:
    bool italic_ = false;
    bool bold_ = false;
    int height_;
    String faceName_;
};

}  // namespace gui
