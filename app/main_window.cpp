#include "app/main_window.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "app/resources/resource_ids.h"
#include "app/trans_label.h"
#include "app/window_class.h"
#include "app/window_definition.h"
#include "platform/operations.h"

namespace {

constexpr wchar_t ClassName[] = L"Tamsel.MainWindow";
// Fixed frame: it can be moved and minimised, never resized or maximised.
constexpr DWORD MainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD ChildStyle = WS_CHILD | WS_CLIPSIBLINGS;
constexpr DWORD ButtonStyle =
    BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE | WS_TABSTOP;
constexpr int FirstControlId = 1001;

size_t IndexOf(Control control) { return static_cast<size_t>(control); }

HMENU IdMenu(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

POINT CentredOnScreen() {
    return POINT{(GetSystemMetrics(SM_CXSCREEN) - MainWindowWidth) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - MainWindowHeight) / 2};
}

bool Held(int key) { return GetKeyState(key) < 0; }

HICON ExecutableIcon(int sizeMetricX, int sizeMetricY) {
    // Shared: the system keeps it as long as the module lives, nothing to destroy.
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TAMSEL),
                                         IMAGE_ICON, GetSystemMetrics(sizeMetricX),
                                         GetSystemMetrics(sizeMetricY), LR_SHARED));
}

}  // namespace

bool MainWindow::CreateAndShow() {
    const WNDCLASSEXW windowClass =
        ClassDescription(ClassName, Procedure, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                         static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    if (!RegisterClassOnce(windowClass)) return false;
    const POINT position = CentredOnScreen();
    if (!CreateWindowExW(0, ClassName, MainWindowTitle, MainWindowStyle, position.x, position.y,
                         MainWindowWidth, MainWindowHeight, nullptr, nullptr,
                         GetModuleHandleW(nullptr), this))
        return false;
    FixOuterSize();
    SendMessageW(window_, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(ExecutableIcon(SM_CXICON, SM_CYICON)));
    SendMessageW(window_, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(ExecutableIcon(SM_CXSMICON, SM_CYSMICON)));
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    if (!CreateControls()) {
        // Nothing has run yet and nothing may run now: the window goes without its events
        // and without ending a message loop that never started.
        DestroyWindow(window_);
        return false;
    }
    eventsLive_ = true;
    quitWhenGone_ = true;
    Raise(std::nullopt, Event::Created);
    if (window_) {
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
    }
    return true;
}

// The frame metrics differ between systems; the outer size must not.
void MainWindow::FixOuterSize() {
    RECT outer{};
    GetWindowRect(window_, &outer);
    if (outer.right - outer.left != MainWindowWidth || outer.bottom - outer.top != MainWindowHeight) {
        const POINT position = CentredOnScreen();
        MoveWindow(window_, position.x, position.y, MainWindowWidth, MainWindowHeight, TRUE);
    }
}

bool MainWindow::CreateControls() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    std::vector<std::pair<int, HWND>> tabStops;
    int id = FirstControlId;
    const std::vector<ControlDefinition> definition = WindowDefinition();
    for (const ControlDefinition& c : definition) {
        HWND control = nullptr;
        switch (c.kind) {
        case ControlKind::Button:
            control = CreateWindowExW(0, L"BUTTON", c.caption.c_str(), ChildStyle | ButtonStyle,
                                      c.left, c.top, c.width, c.height, window_, IdMenu(id),
                                      instance, nullptr);
            if (control) {
                SendMessageW(control, WM_SETFONT, font, FALSE);
                tabStops.emplace_back(c.top, control);
            }
            break;
        case ControlKind::Label:
            // Never shown: it only keeps a caption.
            control = CreateWindowExW(0, L"STATIC", c.caption.c_str(), ChildStyle, c.left, c.top,
                                      c.width, c.height, window_, IdMenu(id), instance, nullptr);
            if (control) SendMessageW(control, WM_SETFONT, font, FALSE);
            break;
        case ControlKind::PicBox:
            if (c.name == Control::图片框1 &&
                图片框1_.Create(window_, c.left, c.top, c.width, c.height, id, IDR_LOGO_JPEG))
                control = 图片框1_.Window();
            break;
        case ControlKind::ProcessBar:
            if (c.name == Control::进度条1 &&
                进度条1_.Create(window_, c.left, c.top, c.width, c.height, id))
                control = 进度条1_.Window();
            break;
        case ControlKind::Timer:
            if (TimerControl* timer = TimerOf(c.name)) {
                const Control name = c.name;
                if (timer->Create(window_, c.left, c.top, c.width, c.height, id,
                                  [this, name] { Raise(name, Event::PeriodicEvent); }))
                    control = timer->Window();
            }
            break;
        case ControlKind::TransLabel:
            control = CreateTransLabel(window_, c.left, c.top, c.width, c.height, id, c.caption,
                                       c.layout);
            break;
        }
        if (!control) return false;
        controls_[IndexOf(c.name)] = control;
        ++id;
    }
    // Tab goes down the right-hand column of buttons.
    std::stable_sort(tabStops.begin(), tabStops.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    tabOrder_.clear();
    for (const auto& stop : tabStops) tabOrder_.push_back(stop.second);
    for (const ControlDefinition& c : definition)
        if (c.visible) ShowWindow(controls_[IndexOf(c.name)], SW_SHOWNA);
    return true;
}

HWND MainWindow::ControlWindow(Control control) const { return controls_[IndexOf(control)]; }

std::optional<Control> MainWindow::ControlOf(HWND window) const {
    if (!window) return std::nullopt;
    for (size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i] == window) return static_cast<Control>(i);
    return std::nullopt;
}

TimerControl* MainWindow::TimerOf(Control control) {
    switch (control) {
    case Control::时钟1:
        return &时钟1_;
    case Control::时钟2:
        return &时钟2_;
    default:
        return nullptr;
    }
}

Text MainWindow::GetLabelText(Control label) const {
    const HWND window = ControlWindow(label);
    if (!window) return {};
    // ANSI on purpose: the run directory is a path and stays in the system's code page.
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    const int copied = GetWindowTextA(window, buffer.data(), length + 1);
    return Text(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

void MainWindow::SetLabelText(Control label, const Text& text) {
    const HWND window = ControlWindow(label);
    if (!window) return;
    SetWindowTextA(window, text.c_str());
    InvalidateRect(window, nullptr, FALSE);
}

void MainWindow::SetProgressMaximum(Control bar, int32_t value) {
    if (bar == Control::进度条1) 进度条1_.SetMaximum(value);
}

void MainWindow::SetProgressPosition(Control bar, int32_t value) {
    if (bar == Control::进度条1) 进度条1_.SetPosition(value);
}

void MainWindow::SetTimerPeriod(Control timer, int32_t milliseconds) {
    if (TimerControl* control = TimerOf(timer)) control->SetPeriod(milliseconds);
}

void MainWindow::Raise(std::optional<Control> source, Event event) {
    if (eventsLive_) Dispatch(source, event);
}

void MainWindow::Dispatch(std::optional<Control> source, Event event) {
    for (const EventBinding& binding : EventTable) {
        if (binding.source != source || binding.event != event) continue;
        try {
            binding.handler(program_);
        } catch (...) {
            // A handler's failure is silent, and nothing may unwind through the system's
            // window procedure.
        }
    }
}

bool MainWindow::PreTranslate(const MSG& message) {
    if (!window_ || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) return false;
    if (message.message == WM_LBUTTONDOWN) {
        // The press is only looked at: the picture box still gets it.
        if (message.hwnd == 图片框1_.Window()) Raise(Control::图片框1, Event::LeftButtonPressed);
        return false;
    }
    if (message.message != WM_KEYDOWN) return false;
    const bool control = Held(VK_CONTROL), shift = Held(VK_SHIFT), alt = Held(VK_MENU);
    switch (message.wParam) {
    case VK_ESCAPE:
        if (control || shift || alt) return false;
        SendMessageW(window_, WM_CLOSE, 0, 0);
        return true;
    case VK_RETURN:
        // No button is a default push button, so Enter clicks nothing and the focus stays.
        return !(control || shift || alt);
    case VK_TAB:
        if (control || alt) return false;
        MoveFocus(shift);
        return true;
    case VK_F1:
        return true;
    default:
        return false;
    }
}

void MainWindow::MoveFocus(bool backwards) {
    if (tabOrder_.empty()) return;
    const size_t count = tabOrder_.size();
    const auto focused = std::find(tabOrder_.begin(), tabOrder_.end(), GetFocus());
    size_t next = backwards ? count - 1 : 0;
    if (focused != tabOrder_.end()) {
        const size_t current = static_cast<size_t>(focused - tabOrder_.begin());
        next = backwards ? (current + count - 1) % count : (current + 1) % count;
    }
    SetFocus(tabOrder_[next]);
}

// Back to the button that had the focus before the window lost it, or the first one.
void MainWindow::RestoreFocus() {
    if (lastFocus_ && IsWindow(lastFocus_) && IsChild(window_, lastFocus_)) {
        SetFocus(lastFocus_);
    } else if (!tabOrder_.empty()) {
        SetFocus(tabOrder_.front());
    }
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindow* self = OwnerOf<MainWindow>(window, message, lParam);
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCCREATE) self->window_ = window;
    return self->HandleMessage(window, message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        // The class has no brush: the window paints its own face.
        RECT client{};
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam) {
            if (const auto control = ControlOf(reinterpret_cast<HWND>(lParam)))
                Raise(*control, Event::Clicked);
        }
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            const bool overLogo = reinterpret_cast<HWND>(wParam) == 图片框1_.Window();
            SetCursor(LoadCursorA(nullptr, overLogo ? IDC_HAND : IDC_ARROW));
            return TRUE;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(window, focus)) lastFocus_ = focus;
        } else if (!HIWORD(wParam)) {
            RestoreFocus();
        }
        return 0;
    case WM_SETFOCUS:
        RestoreFocus();
        return 0;
    case platform::DestroyRequestMessage:
        // Only a request that DestroyMainWindow marked counts, and only once: the close tests
        // are not asked.
        if (platform::TakeDestroyRequest(window)) DestroyWindow(window);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        return 0;
    case WM_DESTROY:
        // The controls still exist here; they go after this message.
        if (std::exchange(eventsLive_, false)) Dispatch(std::nullopt, Event::WillBeDestroyed);
        return 0;
    case WM_NCDESTROY:
        window_ = nullptr;
        controls_.fill(nullptr);
        tabOrder_.clear();
        lastFocus_ = nullptr;
        if (quitWhenGone_) PostQuitMessage(0);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
