// MemoryCanvas: a bitmap to draw on in memory for one scope, before it is shown at once.
#include "MemoryCanvas.h"

namespace gui {

MemoryCanvas::MemoryCanvas(HDC compatibleWith, int width, int height)
    : deviceContext_(CreateCompatibleDC(compatibleWith)),
      bitmap_(CreateCompatibleBitmap(compatibleWith, width, height)),
      previous_(deviceContext_ != nullptr && bitmap_ != nullptr ? SelectObject(deviceContext_, bitmap_) : nullptr) {}

MemoryCanvas::~MemoryCanvas() {
    if (previous_ != nullptr) SelectObject(deviceContext_, previous_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (deviceContext_ != nullptr) DeleteDC(deviceContext_);
}

}  // namespace gui
