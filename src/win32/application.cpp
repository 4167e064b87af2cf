#include "win32/application.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <string>
#include <vector>

#include "win32/dialogs.h"
#include "win32/form1.h"

namespace orvex {

int RunApplication(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    if (!Form1::registerClasses(GetModuleHandleA(nullptr))) {
        return 1;
    }
    SystemHost host;
    Win32Dialogs dialogs;
    Form1Controller controller(host, dialogs);
    const Update started = controller.start(std::vector<std::string>(argv + 1, argv + argc));
    // The load step runs before the window exists: its messages have no owner.
    ShowMessages(nullptr, started.messages);
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

}  // namespace orvex
