#include "app/trans_label.h"

#include <vector>

#include "app/window_class.h"

namespace {

constexpr wchar_t ClassName[] = L"Tamsel.TransLabel";

TextLayout LayoutOf(HWND window) {
    return static_cast<TextLayout>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

std::wstring CaptionOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    const int copied = GetWindowTextW(window, buffer.data(), length + 1);
    return std::wstring(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

void Draw(HWND window, HDC dc) {
    const std::wstring caption = CaptionOf(window);
    if (caption.empty()) return;
    const TextLayout layout = LayoutOf(window);
    const UINT format = TextFormatOf(layout);
    RECT client{};
    GetClientRect(window, &client);
    const HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    if (layout == TextLayout::SingleLineRelief) {
        RECT relief = client;
        OffsetRect(&relief, 1, 1);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &relief, format);
    }
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &client, format);
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          static_cast<LONG_PTR>(reinterpret_cast<INT_PTR>(create->lpCreateParams)));
        break;
    }
    case WM_ERASEBKGND:
        return 1;  // the parent's face is the background
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (HDC dc = BeginPaint(window, &paint)) {
            Draw(window, dc);
            EndPaint(window, &paint);
        }
        return 0;
    }
    case WM_NCHITTEST:
        // Only shows its text: the mouse goes through to the window behind it.
        return HTTRANSPARENT;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

UINT TextFormatOf(TextLayout layout) {
    const UINT base = DT_NOPREFIX | DT_LEFT;
    switch (layout) {
    case TextLayout::Wrapped:
        return base | DT_WORDBREAK | DT_VCENTER;
    case TextLayout::SingleLineRelief:
        return base | DT_SINGLELINE | DT_VCENTER;
    case TextLayout::None:
        break;
    }
    return base;
}

HWND CreateTransLabel(HWND parent, int left, int top, int width, int height, int id,
                      const std::wstring& caption, TextLayout layout) {
    if (!RegisterClassOnce(ClassDescription(ClassName, Procedure, 0))) return nullptr;
    return CreateWindowExW(WS_EX_TRANSPARENT, ClassName, caption.c_str(),
                           WS_CHILD | WS_CLIPSIBLINGS, left, top, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr),
                           reinterpret_cast<void*>(static_cast<INT_PTR>(layout)));
}
