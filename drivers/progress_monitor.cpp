#include "drivers/progress_monitor.h"

#include <cmath>

#include "drivers/paths.h"
#include "platform/texts.h"
#include "platform/truncate_to_int64.h"

// Divide first, then multiply, in doubles: size * 1000 is never formed, so no 64-bit overflow.
// A ratio of 1 or more is decided before truncation: its thousandths may not fit in 32 bits,
// and the bar must show full rather than whatever the low bits happen to read.
int32_t ProgressPosition(int64_t size, int64_t reference) {
    const double scaled = static_cast<double>(size) / static_cast<double>(reference) * ProgressScale;
    if (!std::isfinite(scaled) || !(scaled > 0.0)) return 0;  // reference 0, or nothing measured
    if (scaled >= ProgressScale) return ProgressScale;
    return static_cast<int32_t>(TruncateToInt64(scaled));
}

void OnBackupTick(Program& program) {
    System& system = program.system;
    const int64_t size =
        system.GetFolderSize(JoinTexts({system.GetLabelText(Control::标签1), BackupFolderSuffix}));
    system.SetProgressPosition(Control::进度条1, ProgressPosition(size, program.ReferenceSize));
}

void OnRestoreTick(Program& program) {
    System& system = program.system;
    const int64_t size = system.GetFolderSize(DriverStorePath);
    system.SetProgressPosition(Control::进度条1, ProgressPosition(size, program.ReferenceSize));
}
