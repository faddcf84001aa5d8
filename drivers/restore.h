// The restore button: adds every driver found under MyDrivers to the running system.
#pragma once

#include "drivers/program.h"

void OnRestoreClicked(Program& program);
