#include "drivers/run_directory_check.h"

bool RefuseUnsafeRunDirectory(Program& program) {
    if (program.system.GetLabelText(Control::标签1).find('%') == Text::npos) return false;
    program.system.ShowMessageBox(
        L"程序所在目录的路径含有“%”，无法安全地交给命令解释器。请把程序移到其他目录后再试。",
        MessageBoxPlain, UiText(L"错误"), false);
    return true;
}
