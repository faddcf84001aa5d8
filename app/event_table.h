// Which handler runs for which event of which control: the program's whole event table.
// No other event of the window or of its controls has a handler; in particular nothing may
// refuse a close, so the window never refuses.
#pragma once

#include <optional>

#include "app/shell_handlers.h"
#include "drivers/backup.h"
#include "drivers/program.h"
#include "drivers/progress_monitor.h"
#include "drivers/restore.h"
#include "platform/system.h"
#include "shutdown/shutdown.h"

enum class Event { Created, WillBeDestroyed, Clicked, PeriodicEvent, LeftButtonPressed };

struct EventBinding {
    std::optional<Control> source;  // no control: the main window itself
    Event event;
    Handler handler;
};

inline constexpr EventBinding EventTable[] = {
    {std::nullopt, Event::Created, OnWindowCreated},
    {std::nullopt, Event::WillBeDestroyed, OnWindowDestroying},
    {Control::按钮1, Event::Clicked, OnBackupClicked},
    {Control::按钮2, Event::Clicked, OnRestoreClicked},
    {Control::按钮3, Event::Clicked, OnInterruptClicked},
    {Control::时钟1, Event::PeriodicEvent, OnBackupTick},
    {Control::时钟2, Event::PeriodicEvent, OnRestoreTick},
    {Control::图片框1, Event::LeftButtonPressed, OnLogoPressed},
};
