#include "app/shell_handlers.h"

const char* const PublisherUrl = TAMSEL_PUBLISHER_URL;

// The hidden label 标签1 is where the program keeps its run directory from now on.
void OnWindowCreated(Program& program) {
    program.system.SetLabelText(Control::标签1, program.system.GetRunDirectory());
}

// The press position and the Ctrl/Shift/Alt mask do not matter: every press opens the address.
void OnLogoPressed(Program& program) { program.system.OpenUrl(PublisherUrl); }
