#include "drivers/backup.h"

#include "drivers/paths.h"
#include "drivers/progress_monitor.h"
#include "drivers/run_directory_check.h"
#include "drivers/script_runner.h"
#include "platform/texts.h"

void OnBackupClicked(Program& program) {
    if (RefuseUnsafeRunDirectory(program)) return;
    System& system = program.system;

    program.ReferenceSize = system.GetFolderSize(DriverStorePath);
    system.SetProgressMaximum(Control::进度条1, ProgressScale);
    system.SetTimerPeriod(Control::时钟1, MonitorPeriod);
    // 时钟1 already ticks while the notice is open.
    system.ShowMessageBox(L"进度指示停止则表明备份完成，将不再另行提示。", MessageBoxInformation,
                          UiText(L"消息"), true);

    // An existing folder is fine: the export goes into it.
    system.CreateFolder(JoinTexts({system.GetLabelText(Control::标签1), BackupFolderSuffix}));

    // Quoted so that a path with spaces or & ^ ( ) reaches DISM as one argument.
    const Text commandLine = JoinTexts({"cmd /c dism /online /export-driver /destination:\"",
                                        system.GetLabelText(Control::标签1), BackupFolderSuffix, "\""});
    if (!WriteScript(program, commandLine)) {
        ReportScriptNotWritten(program);
        return;
    }
    LaunchScript(program);
}
