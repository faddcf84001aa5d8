#include "app/picture_box.h"

#include "app/logo_image.h"
#include "app/window_class.h"

namespace {

constexpr wchar_t ClassName[] = L"Tamsel.PicBox";

}  // namespace

PictureBox::~PictureBox() {
    if (window_) DestroyWindow(window_);
    if (image_) DeleteObject(image_);
}

bool PictureBox::Create(HWND parent, int left, int top, int width, int height, int id,
                        int imageResource) {
    // CS_DBLCLKS: the second press of a double-click arrives as WM_LBUTTONDBLCLK, which is
    // not a press, so a double-click opens the address once.
    if (!RegisterClassOnce(ClassDescription(ClassName, Procedure, CS_DBLCLKS))) return false;
    window_ = CreateWindowExW(WS_EX_DLGMODALFRAME, ClassName, L"", WS_CHILD | WS_CLIPSIBLINGS,
                              left, top, width, height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), this);
    if (!window_) return false;
    RECT client{};
    GetClientRect(window_, &client);
    ImagePlacement placement{};
    image_ = BitmapFromImage(DecodeImageResource(imageResource, client.right, client.bottom,
                                                 placement));
    imageX_ = placement.x;
    imageY_ = placement.y;
    imageWidth_ = placement.width;
    imageHeight_ = placement.height;
    return true;
}

void PictureBox::Paint(HWND window, HDC dc) const {
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (!image_) return;
    if (HDC source = CreateCompatibleDC(dc)) {
        const HGDIOBJ old = SelectObject(source, image_);
        BitBlt(dc, imageX_, imageY_, imageWidth_, imageHeight_, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
}

LRESULT CALLBACK PictureBox::Procedure(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) {
    PictureBox* box = OwnerOf<PictureBox>(window, message, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT fills the whole client area
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (HDC dc = BeginPaint(window, &paint)) {
            if (box) box->Paint(window, dc);
            EndPaint(window, &paint);
        }
        return 0;
    }
    case WM_NCDESTROY:
        if (box) box->window_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
