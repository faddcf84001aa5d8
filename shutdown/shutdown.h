// Leaving: the interrupt button and the clean-up when the main window goes away.
#pragma once

#include "drivers/program.h"

void OnInterruptClicked(Program& program);
void OnWindowDestroying(Program& program);
