// The one-line command script at ScriptPath: writing it and starting it hidden.
#pragma once

#include "drivers/program.h"

// Replaces the whole content of ScriptPath with the command line's bytes. Returns whether the
// write succeeded, and marks the script as this run's when it did.
bool WriteScript(Program& program, const Text& commandLine);

// Starts ScriptPath hidden through the shell and returns at once.
void LaunchScript(Program& program);

// Tells the user that no script could be written, so nothing was started.
void ReportScriptNotWritten(Program& program);
