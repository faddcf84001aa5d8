#include "drivers/restore.h"

#include "drivers/paths.h"
#include "drivers/progress_monitor.h"
#include "drivers/run_directory_check.h"
#include "drivers/script_runner.h"
#include "platform/texts.h"

void OnRestoreClicked(Program& program) {
    if (RefuseUnsafeRunDirectory(program)) return;
    System& system = program.system;

    // Measured and the timer started before we know whether there is anything to restore.
    program.ReferenceSize =
        system.GetFolderSize(JoinTexts({system.GetLabelText(Control::标签1), BackupFolderSuffix}));
    system.SetProgressMaximum(Control::进度条1, ProgressScale);
    system.SetTimerPeriod(Control::时钟2, MonitorPeriod);

    // A file of that name passes too; DISM then finds nothing to add.
    if (!system.PathExists(JoinTexts({system.GetRunDirectory(), BackupFolderSuffix}))) {
        system.ShowMessageBox(L"当前目录没有发现备份文件，请将程序放到与<MyDrivers>文件夹同一目录",
                              MessageBoxPlain, UiText(L"错误"), false);
        return;
    }

    const Text commandLine = JoinTexts({"cmd /c Dism /online /Add-Driver /Driver:\"",
                                        system.GetLabelText(Control::标签1), BackupFolderSuffix, "\" /Recurse"});
    // Written before the notice, started only once the user has closed it.
    if (!WriteScript(program, commandLine)) {
        ReportScriptNotWritten(program);
        return;
    }
    system.ShowMessageBox(L"进度指示停止则表明还原完成，将不再另行提示。", MessageBoxInformation,
                          UiText(L"消息"), true);
    LaunchScript(program);
}
