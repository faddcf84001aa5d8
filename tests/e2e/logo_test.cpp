// The real Tamsel.exe in the test prefix: a press on the logo asks the shell to open the
// publisher's address, once per press, whatever the keys held; the address text beside it is
// only text. The shell's handler for the address's scheme is our logger for the duration.
#include "tests/e2e/harness.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace e2e {
namespace {

const std::wstring Address = Widen(TAMSEL_PUBLISHER_URL);
const wchar_t OpenLog[] = L"C:\\testbed\\url-open.log";
const wchar_t RunFolder[] = L"C:\\testbed\\logo";
const wchar_t LoggerName[] = L"url_logger.exe";

std::vector<std::wstring> OpenedAddresses() {
    std::vector<std::wstring> addresses;
    std::istringstream lines(ReadBytes(OpenLog));
    for (std::string line; std::getline(lines, line);) addresses.push_back(Widen(line));
    return addresses;
}

// The shell's "open" command for one URL scheme, replaced while this object lives. A 32-bit
// program in a 64-bit prefix may read either registry view, so both are set and put back.
class SchemeCommand {
public:
    SchemeCommand(const std::wstring& scheme, const std::wstring& command)
        : key_(scheme + L"\\shell\\open\\command") {
        for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) saved_.push_back(Read(view));
        for (const Saved& saved : saved_) Write(saved.view, REG_SZ, command);
    }
    ~SchemeCommand() {
        for (auto saved = saved_.rbegin(); saved != saved_.rend(); ++saved) {
            if (saved->existed)
                Write(saved->view, saved->type, saved->value);
            else if (HKEY key = Open(saved->view))
                RegDeleteValueW(key, nullptr), RegCloseKey(key);
        }
    }
    SchemeCommand(const SchemeCommand&) = delete;
    SchemeCommand& operator=(const SchemeCommand&) = delete;

private:
    struct Saved {
        REGSAM view;
        bool existed = false;
        DWORD type = REG_SZ;
        std::wstring value;
    };

    HKEY Open(REGSAM view) const {
        HKEY key = nullptr;
        return RegCreateKeyExW(HKEY_CLASSES_ROOT, key_.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE | view,
                               nullptr, &key, nullptr) == ERROR_SUCCESS
                   ? key
                   : nullptr;
    }
    Saved Read(REGSAM view) const {
        Saved saved;
        saved.view = view;
        HKEY key = Open(view);
        DWORD bytes = 0;
        if (key && RegQueryValueExW(key, nullptr, nullptr, &saved.type, nullptr, &bytes) == ERROR_SUCCESS) {
            saved.value.resize(bytes / sizeof(wchar_t) + 1);
            bytes = static_cast<DWORD>(saved.value.size() * sizeof(wchar_t));
            saved.existed = RegQueryValueExW(key, nullptr, nullptr, &saved.type,
                                             reinterpret_cast<BYTE*>(saved.value.data()), &bytes) == ERROR_SUCCESS;
            saved.value.resize(wcsnlen(saved.value.c_str(), saved.value.size()));
        }
        if (key) RegCloseKey(key);
        return saved;
    }
    void Write(REGSAM view, DWORD type, const std::wstring& value) const {
        HKEY key = Open(view);
        ASSERT_NE(key, nullptr) << "cannot open the scheme's command";
        const LONG status = RegSetValueExW(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        ASSERT_EQ(status, ERROR_SUCCESS);
    }

    std::wstring key_;
    std::vector<Saved> saved_;
};

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result)) return -1;
    return static_cast<LRESULT>(result);
}

bool LoggerRunning() {
    for (const auto& process : ListProcesses())
        if (_wcsicmp(process.exeName.c_str(), LoggerName) == 0) return true;
    return false;
}

// The child window whose top-left corner is at the given place in the main window's client area.
HWND ChildAt(HWND window, int left, int top) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        if (rect.left == left && rect.top == top) return child;
    }
    return nullptr;
}

LPARAM CentreOf(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return MAKELPARAM(client.right / 2, client.bottom / 2);
}

enum class Target { Logo, AddressText };

struct Gesture {
    const char* name;
    Target target;
    std::vector<std::pair<UINT, WPARAM>> messages;
    size_t opens;
};

void PrintTo(const Gesture& gesture, std::ostream* out) { *out << gesture.name; }

const Gesture Gestures[] = {
    {"Press", Target::Logo, {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}}, 1},
    // The class has CS_DBLCLKS: the second press of a double-click is WM_LBUTTONDBLCLK.
    {"DoubleClick", Target::Logo,
     {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}, {WM_LBUTTONDBLCLK, MK_LBUTTON}, {WM_LBUTTONUP, 0}}, 1},
    {"TwoPresses", Target::Logo,
     {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}, {WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}}, 2},
    {"PressWithCtrl", Target::Logo, {{WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL}, {WM_LBUTTONUP, MK_CONTROL}}, 1},
    {"PressWithShift", Target::Logo, {{WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT}, {WM_LBUTTONUP, MK_SHIFT}}, 1},
    {"PressOnTheAddressText", Target::AddressText, {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}}, 0},
};

class LogoPress : public testing::TestWithParam<Gesture> {
protected:
    static void SetUpTestSuite() {
        CreateFolders(RunFolder);
        PrepareRunFolder(RunFolder);
        const std::wstring scheme = Address.substr(0, Address.find(L':'));
        handler_ = std::make_unique<SchemeCommand>(
            scheme, L"\"" + BuildPath(L"tests\\e2e\\url_logger.exe") + L"\" \"" + OpenLog + L"\" \"%1\"");
    }
    static void TearDownTestSuite() { handler_.reset(); }
    void SetUp() override { DeleteFileW(OpenLog); }

    // Tamsel's posted messages are handled first in, first out: once a marker posted after the
    // gesture has arrived, every message of the gesture has been handled, and every handler
    // the shell started for it is running or done. Then those handlers are waited for.
    static void Settle(HWND bar) {
        static WPARAM marker = 100;
        ++marker;  // the bar's step: Tamsel never steps the bar
        PostMessageW(bar, PBM_SETSTEP, marker, 0);
        ASSERT_TRUE(WaitUntil([&] { return Ask(bar, PBM_GETSTEP) == static_cast<LRESULT>(marker); }));
        ASSERT_TRUE(WaitUntil([] { return !LoggerRunning(); }));
    }

    static std::unique_ptr<SchemeCommand> handler_;
};

std::unique_ptr<SchemeCommand> LogoPress::handler_;

TEST_P(LogoPress, OpensThePublishersAddressOncePerPress) {
    const Gesture& gesture = GetParam();
    Tamsel tamsel(RunFolder);
    ASSERT_TRUE(tamsel.Window());
    const HWND target =
        gesture.target == Target::Logo ? tamsel.Find(Control::图片框1) : ChildAt(tamsel.Window(), 64, 176);
    ASSERT_TRUE(target);
    for (const auto& [message, keys] : gesture.messages) PostMessageW(target, message, keys, CentreOf(target));
    Settle(tamsel.Find(Control::进度条1));
    EXPECT_EQ(OpenedAddresses(), std::vector<std::wstring>(gesture.opens, Address));
}

POINT ScreenCentreOf(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// What the pointer shows once Tamsel has handled the move there.
HCURSOR CursorAt(POINT place, HCURSOR previous) {
    SetCursorPos(place.x, place.y);
    CURSORINFO info{};
    info.cbSize = sizeof info;
    WaitUntil([&] { return GetCursorInfo(&info) && info.hCursor != previous; }, 2s);
    return info.hCursor;
}

// Real input through the system's queue: the double-click is made by the system from two quick
// presses, and the pointer shape comes from Tamsel's own answer to where the pointer is.
TEST_F(LogoPress, RealDoubleClickOpensOnceAndThePointerIsAHandOnlyOverTheLogo) {
    Tamsel tamsel(RunFolder);
    ASSERT_TRUE(tamsel.Window());
    const POINT logo = ScreenCentreOf(tamsel.Find(Control::图片框1));
    const POINT text = ScreenCentreOf(ChildAt(tamsel.Window(), 64, 176));
    const HCURSOR overText = CursorAt(text, nullptr);
    const HCURSOR overLogo = CursorAt(logo, overText);
    ASSERT_NE(overLogo, overText) << "the pointer looks the same over the logo and over the address text";

    INPUT clicks[4] = {};
    for (INPUT& click : clicks) click.type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = clicks[2].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = clicks[3].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(4, clicks, sizeof(INPUT)), 4u);
    // Input is handled in order: once the pointer shows the shape of the text, both presses
    // have been handled, and the handlers they started are waited for.
    ASSERT_EQ(CursorAt(text, overLogo), overText);
    ASSERT_TRUE(WaitUntil([] { return !LoggerRunning(); }));
    EXPECT_EQ(OpenedAddresses(), std::vector<std::wstring>{Address});
}

INSTANTIATE_TEST_SUITE_P(Gestures, LogoPress, testing::ValuesIn(Gestures),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
