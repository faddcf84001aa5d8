#include "shutdown/shutdown.h"

#include "drivers/paths.h"

namespace {
const Text InterpreterName = "cmd.exe";
}

// The destroy request is only posted: the clean-up below runs when the window goes.
void OnInterruptClicked(Program& program) {
    program.system.TerminateProcessByName(InterpreterName);
    program.system.DestroyMainWindow();
}

// A "C:\temp.bat" that this run did not write belongs to somebody else and stays.
void OnWindowDestroying(Program& program) {
    if (program.scriptWrittenByThisRun) program.system.DeleteFilePath(ScriptPath);
    program.system.TerminateProcessByName(InterpreterName);
}
