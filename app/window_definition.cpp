#include "app/window_definition.h"

#include <windows.h>

#include "app/shell_handlers.h"

const wchar_t UsageNotes[] =
    L"1.备份驱动的文件会放到软件运行目录。\r\n"
    L"2.备份文件夹名为“MyDrivers”\r\n"
    L"3.进度指示停止则表明备份/还原完成。\r\n"
    L"\r\n"
    L"\r\n"
    L"*如若被拦截请放行。";

namespace {

// The address is an ANSI text shared with the logo's handler; the label shows it as UTF-16.
std::wstring PublisherUrlText() {
    const int length = MultiByteToWideChar(CP_ACP, 0, PublisherUrl, -1, nullptr, 0);
    if (length <= 1) return {};
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, PublisherUrl, -1, text.data(), length);
    text.resize(static_cast<size_t>(length - 1));
    return text;
}

}  // namespace

std::vector<ControlDefinition> WindowDefinition() {
    using K = ControlKind;
    using L = TextLayout;
    return {
        {Control::时钟2, K::Timer, 408, 112, 24, 32, false, L"", L::None},
        {Control::时钟1, K::Timer, 360, 112, 32, 32, false, L"", L::None},
        {Control::按钮3, K::Button, 352, 163, 88, 24, true, L"中断并退出", L::None},
        {Control::图片框1, K::PicBox, 8, 152, 48, 48, true, L"", L::None},
        {Control::透明标签3, K::TransLabel, 65, 163, 88, 11, true, L"For Windows10",
         L::SingleLineRelief},
        {Control::透明标签2, K::TransLabel, 24, 24, 248, 72, true, UsageNotes, L::Wrapped},
        {Control::标签1, K::Label, 224, 5, 184, 8, false, L"标签", L::None},
        {Control::透明标签1, K::TransLabel, 64, 176, 88, 16, true, PublisherUrlText(),
         L::SingleLineRelief},
        {Control::按钮2, K::Button, 352, 56, 88, 24, true, L"还原驱动", L::None},
        {Control::按钮1, K::Button, 352, 24, 88, 24, true, L"备份驱动", L::None},
        // One pixel left of the client edge, so that the bar's left frame is not seen.
        {Control::进度条1, K::ProcessBar, -1, 209, 460, 8, true, L"", L::None},
    };
}
