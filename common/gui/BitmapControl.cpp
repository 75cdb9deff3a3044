// BitmapControl: a static control that shows an image resource.
#include "BitmapControl.h"

#include "common/Exception.h"

namespace gui {

BitmapControl::~BitmapControl() { ReleaseImage(image_); }

void BitmapControl::SetImage() {
    if (imageId_ == -1) {
        throw new Exception(L"BitmapControl::SetImage(%i) - No resource id has been specified.", imageId_);
    }
    bool sized = imageWidth_ > 0 && imageHeight_ > 0;
    HANDLE image = LoadImageW(GetInstance(), MAKEINTRESOURCEW(imageId_), imageType_, sized ? imageWidth_ : 0,
                              sized ? imageHeight_ : 0, sized ? 0 : LR_DEFAULTSIZE);
    if (image == nullptr) return;
    // A second SetImage replaces the first image, which is then no longer shown.
    HANDLE previous = image_;
    image_ = image;
    SendMessageW(GetHandle(), STM_SETIMAGE, imageType_, reinterpret_cast<LPARAM>(image_));
    ReleaseImage(previous);
}

void BitmapControl::ReleaseImage(HANDLE image) const {
    if (image == nullptr) return;
    if (imageType_ == IMAGE_ICON) {
        DestroyIcon(static_cast<HICON>(image));
    } else {
        DeleteObject(image);
    }
}

}  // namespace gui
