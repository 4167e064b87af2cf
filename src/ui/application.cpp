#include "ui/application.h"

#include <QApplication>
#include <string>
#include <vector>

#include "ui/form1.h"
#include "ui/pictures.h"
#include "ui/qt_dialogs.h"

namespace orvex {

int RunApplication(int& argc, char** argv, const std::function<void(QWidget& window)>& beforeShow) {
    QApplication app(argc, argv);
    // Desktops match the window to its menu entry and icon by this name.
    QGuiApplication::setDesktopFileName("org.orvexcolors.OrvexColors");
    QApplication::setWindowIcon(applicationIcon());
    // The window's font for everything, message boxes included: a widget that would
    // measure text in the platform's default face first loads that face too.
    QApplication::setFont(dialogFont());

    // QApplication has taken its own arguments out of argv.
    SystemHost host;
    QtDialogs dialogs;
    Form1Controller controller(host, dialogs);
    const Update started = controller.start(std::vector<std::string>(argv + 1, argv + argc));
    // The load step runs before the window exists: its messages have no parent.
    ShowMessages(nullptr, started.messages);
    Form1 form(controller);
    dialogs.setWindow(&form);
    if (beforeShow) {
        beforeShow(form);
    }
    form.show();
    return QApplication::exec();
}

}  // namespace orvex
