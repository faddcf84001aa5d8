// Progress from folder sizes: the two timers' ticks and the arithmetic behind the bar.
#pragma once

#include <cstdint>

#include "drivers/program.h"

inline constexpr int32_t ProgressScale = 1000;  // the bar's maximum
inline constexpr int32_t MonitorPeriod = 100;   // milliseconds between ticks

// The bar position for a measured size against the reference: the ratio's thousandths,
// truncated, from 0 to ProgressScale. A size at least as large as the reference fills the bar,
// however far it outgrows it; a reference of 0 and a size below 0 give 0.
int32_t ProgressPosition(int64_t size, int64_t reference);

void OnBackupTick(Program& program);
void OnRestoreTick(Program& program);
