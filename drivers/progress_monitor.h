// Progress from folder sizes: the two timers' ticks and the arithmetic behind the bar.
#pragma once

#include <cstdint>

#include "drivers/program.h"

inline constexpr int32_t ProgressScale = 1000;  // the bar's maximum
inline constexpr int32_t MonitorPeriod = 100;   // milliseconds between ticks

void OnBackupTick(Program& program);
void OnRestoreTick(Program& program);
