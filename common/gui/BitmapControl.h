// BitmapControl: a static control that shows an image resource.
#pragma once

#include "StaticControl.h"

namespace gui {

// Shows the image resource whose identifier is set, loaded by SetImage from the
// program's module at the image size when one is set, else at the default size. The
// control owns the loaded image and releases it when the object goes. A plain
// BitmapControl shows a bitmap; IconControl an icon.
class BitmapControl : public StaticControl {
public:
    BitmapControl() : BitmapControl(L"BitmapControl", SS_BITMAP, IMAGE_BITMAP) {}
    ~BitmapControl() override;

    void SetImageId(int imageId) { imageId_ = imageId; }
    // Loads the image and shows it. Raises when no identifier is set; a missing
    // resource leaves the control without an image.
    void SetImage();
    HANDLE GetImage() const { return image_; }

    // The size the owner lays the image out at, and the next SetImage loads it at; -1
    // while unset.
    void SetImageSize(int width, int height) {
        imageWidth_ = width;
        imageHeight_ = height;
    }
    int GetImageWidth() const { return imageWidth_; }
    int GetImageHeight() const { return imageHeight_; }

protected:
    BitmapControl(const wchar_t* className, DWORD style, UINT imageType)
        : StaticControl(className, style), imageType_(imageType) {}

private:
    void ReleaseImage(HANDLE image) const;

    int imageId_ = -1;
    HANDLE image_ = nullptr;
    UINT imageType_;
    int imageWidth_ = -1;
    int imageHeight_ = -1;
};

}  // namespace gui
