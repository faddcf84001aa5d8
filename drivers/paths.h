// The fixed paths that backup, restore, the progress monitor and the clean-up share.
#pragma once

#include "platform/system.h"

// Measured, never written. Not derived from the Windows directory on purpose: it is the
// folder DISM fills on the system drive.
inline const Text DriverStorePath = "C:\\Windows\\System32\\DriverStore";
// Appended to the run directory, which never ends with a backslash.
inline const Text BackupFolderSuffix = "\\MyDrivers";
// The one-line command script that the shell starts.
inline const Text ScriptPath = "C:\\temp.bat";
