#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "form/command_line.h"
#include "win32/application.h"

namespace {

bool isOpen(DWORD handle) {
    const HANDLE stream = GetStdHandle(handle);
    return stream != nullptr && stream != INVALID_HANDLE_VALUE &&
           GetFileType(stream) != FILE_TYPE_UNKNOWN;
}

// A GUI program has no console of its own: print in the one it was started from.
// Streams already redirected to a file or pipe are kept.
void printToParentConsole() {
    const bool outOpen = isOpen(STD_OUTPUT_HANDLE);
    const bool errOpen = isOpen(STD_ERROR_HANDLE);
    if ((outOpen && errOpen) || !AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    if (!outOpen) {
        std::freopen("CONOUT$", "w", stdout);
    }
    if (!errOpen) {
        std::freopen("CONOUT$", "w", stderr);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    const orvex::CommandLine command =
        orvex::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (command.action != orvex::CommandLine::Action::Window) {
        printToParentConsole();
        return orvex::RunCommandOnThisMachine(command);
    }
    return orvex::RunApplication(argc, argv);
}
