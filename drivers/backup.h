// The backup button: exports the system's drivers into MyDrivers beside the program.
#pragma once

#include "drivers/program.h"

void OnBackupClicked(Program& program);
