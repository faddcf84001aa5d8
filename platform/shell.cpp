// Starting files and addresses through the shell, without waiting for what it starts.
#include "platform/shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/operations.h"

namespace platform {

const char* ShellVerb(std::optional<int32_t> operation) {
    static const char* const verbs[] = {"edit", "explore", "find", "open", "print"};
    if (!operation || *operation < 1 || *operation > 5) return nullptr;
    return verbs[*operation - 1];
}

int ShowCommand(std::optional<int32_t> showMode) {
    static const int commands[] = {SW_HIDE,          SW_SHOWNORMAL, SW_SHOWMINIMIZED,
                                   SW_SHOWMAXIMIZED, SW_SHOWNA,     SW_MINIMIZE};
    if (!showMode || *showMode < 1 || *showMode > 6) return SW_SHOWNORMAL;
    return commands[*showMode - 1];
}

void ShellOpen(std::optional<int32_t> operation, const Text& file, std::optional<Text> parameters,
               std::optional<Text> directory, std::optional<int32_t> showMode) {
    // An empty working directory is the current one, which start-up made the run directory.
    const Text workingDirectory = directory.value_or(Text());
    // Nothing is reported: a failed start shows nowhere.
    ShellExecuteA(nullptr, ShellVerb(operation), file.c_str(),
                  parameters ? parameters->c_str() : nullptr, workingDirectory.c_str(),
                  ShowCommand(showMode));
}

void OpenUrl(const Text& address) {
    HWND browser = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
    ShellExecuteA(browser, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace platform
