#include "drivers/script_runner.h"

#include "drivers/paths.h"
#include "platform/texts.h"

namespace {
// Passed to the interpreter after the script; the script's line does not use them.
const Text ScriptArguments = "cmd /c start";
}  // namespace

bool WriteScript(Program& program, const Text& commandLine) {
    const bool written = program.system.WriteBytesToFile(ScriptPath, TextToBytes(commandLine)) != 0;
    if (written) program.scriptWrittenByThisRun = true;
    return written;
}

// The working directory is the system directory, never the run directory: the interpreter
// looks for "dism" in its working directory first, and we run elevated from wherever the user
// put us. On 64-bit Windows the .bat association would start the 32-bit interpreter, whose
// DISM cannot service the running 64-bit system, so we start the native one through Sysnative.
void LaunchScript(Program& program) {
    System& system = program.system;
    if (system.IsWow64()) {
        const Text interpreter = JoinTexts({system.GetWindowsDirectoryPath(), "\\Sysnative\\cmd.exe"});
        system.ShellOpen(ShellOperationOpen, interpreter, JoinTexts({"/c ", ScriptPath, " ", ScriptArguments}),
                         system.GetSystemDirectoryPath(), ShowModeHide);
    } else {
        system.ShellOpen(ShellOperationOpen, ScriptPath, ScriptArguments, system.GetSystemDirectoryPath(),
                         ShowModeHide);
    }
}

// Launching anyway would run whatever stale or foreign file lies at ScriptPath, elevated, and
// the user would take the still bar for success.
void ReportScriptNotWritten(Program& program) {
    program.system.ShowMessageBox(L"无法写入脚本文件 C:\\temp.bat，备份/还原没有开始。", MessageBoxPlain,
                                  UiText(L"错误"), false);
}
