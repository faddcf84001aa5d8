// Starts up as the program does and writes what it found to the file named by its argument:
// the ANSI code page, the run directory, the current directory, and whether a DLL lying beside
// the executable could be loaded by its bare name (1) or not (0).
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/operations.h"

int main(int argc, char** argv) {
    if (argc < 2) return 1;
    platform::StartUp();
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    const bool plantedLoaded = LoadLibraryA("tamsel_planted.dll") != nullptr;
    const std::string report = std::to_string(GetACP()) + "\n" + platform::GetRunDirectory() +
                               "\n" + current + "\n" + std::to_string(plantedLoaded) + "\n";
    platform::ShutDown();

    FILE* out = std::fopen(argv[1], "wb");
    if (!out) return 2;
    std::fwrite(report.data(), 1, report.size(), out);
    return std::fclose(out) == 0 ? 0 : 2;
}
