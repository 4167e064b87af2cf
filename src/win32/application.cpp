#include "win32/application.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "form/messages.h"
#include "install/startup.h"
#include "win32/form1.h"

namespace orvex {

namespace {}  // namespace

int RunApplication(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    if (!Form1::registerClasses(GetModuleHandleA(nullptr))) {
        return 1;
    }
    Form1 form(LoadStepFor(argc, argv));
    HWND window = form.create();
    if (window == nullptr) {
        return 1;
    }
    form.show(SW_SHOWNORMAL);
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Tab, shift-Tab and the arrow keys move between the controls as in a dialog.
        if (!IsDialogMessageA(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

}  // namespace orvex
