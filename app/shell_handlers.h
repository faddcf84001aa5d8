// The handlers that belong to the window itself: its creation and the press on the logo.
#pragma once

#include "drivers/program.h"

// The publisher's web address, shown beside the logo and opened by a press on it.
extern const char* const PublisherUrl;

void OnWindowCreated(Program& program);
void OnLogoPressed(Program& program);
