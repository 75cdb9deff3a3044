// IconControl: a static control that shows an icon resource.
#pragma once

#include "BitmapControl.h"

namespace gui {

// A BitmapControl of style SS_ICON that loads its image as an icon.
class IconControl : public BitmapControl {
public:
    IconControl() : BitmapControl(L"IconControl", SS_ICON, IMAGE_ICON) {}
};

}  // namespace gui
