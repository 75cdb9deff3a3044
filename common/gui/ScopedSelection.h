// ScopedSelection: a GDI object made for one scope, selected into a device context.
#pragma once

#include <windows.h>

namespace gui {

// Takes a newly made GDI object (a pen, a font, a brush), selects it into the device
// context, and at the end of the scope selects the previous object back and deletes it.
class ScopedSelection {
public:
    ScopedSelection(HDC deviceContext, HGDIOBJ object)
        : deviceContext_(deviceContext), object_(object), previous_(SelectObject(deviceContext, object)) {}
    ~ScopedSelection() {
        SelectObject(deviceContext_, previous_);
        DeleteObject(object_);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

private:
    HDC deviceContext_;
    HGDIOBJ object_;
    HGDIOBJ previous_;
};

}  // namespace gui
