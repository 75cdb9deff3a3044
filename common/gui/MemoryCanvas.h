// MemoryCanvas: a bitmap to draw on in memory for one scope, before it is shown at once.
#pragma once

#include <windows.h>

namespace gui {

// A bitmap compatible with a device context (a window's, the screen's), selected into a
// memory device context of its own until the end of the scope: a picture drawn there
// and copied to the window in one go never shows half drawn.
class MemoryCanvas {
public:
    MemoryCanvas(HDC compatibleWith, int width, int height);
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    // The memory device context to draw on; null when the system could not make it.
    HDC Get() const { return previous_ != nullptr ? deviceContext_ : nullptr; }

private:
    HDC deviceContext_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

}  // namespace gui
