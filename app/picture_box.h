// A PicBox control: a raised double border around one image, fitted and centred on the
// button face. The image is the logo from the executable's resources.
#pragma once

#include <windows.h>

class PictureBox {
public:
    PictureBox() = default;
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;
    ~PictureBox();

    // Creates the hidden box and prepares the image for its client area. A logo that cannot
    // be decoded leaves the box plain; that does not fail the creation.
    bool Create(HWND parent, int left, int top, int width, int height, int id, int imageResource);

    HWND Window() const { return window_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HWND window, HDC dc) const;

    HWND window_ = nullptr;
    HBITMAP image_ = nullptr;
    int imageX_ = 0, imageY_ = 0, imageWidth_ = 0, imageHeight_ = 0;
};
