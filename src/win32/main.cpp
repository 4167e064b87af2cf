#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "form/command_line.h"
#include "win32/dialogs.h"
#include "win32/form1.h"

namespace orvex {
namespace {

// A GUI program has no console of its own: print in the one it was started from.
// Streams already redirected to a file or pipe are kept.
void printToParentConsole() {
    const auto isOpen = [](DWORD stream) {
        return GetFileType(GetStdHandle(stream)) != FILE_TYPE_UNKNOWN;
    };
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

// Start-up (the folder named in `arguments`, else the game's registered folder),
// Form1, and the message loop until the window closes.
int runWindow(const std::vector<std::string>& arguments) {
    SystemHost host;
    Win32Dialogs dialogs;
    Form1Controller controller(host, dialogs);
    // The load step runs before the window exists: its messages have no owner.
    ShowMessages(nullptr, controller.start(arguments).messages);
    Form1 form(controller);
    HWND window = form.create();
    if (window == nullptr) {
        return 1;
    }
    dialogs.ownedBy(window);
    form.show(SW_SHOWNORMAL);
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!form.translate(&message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

}  // namespace
}  // namespace orvex

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const orvex::CommandLine command = orvex::ParseCommandLine(arguments);
    if (command.action != orvex::CommandLine::Action::Window) {
        orvex::printToParentConsole();
        return orvex::RunCommandOnThisMachine(command);
    }
    return orvex::runWindow(arguments);
}
