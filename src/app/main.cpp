#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <cstdlib>

#include "install/startup.h"
#include "platform/messages.h"
#include "ui/form1.h"
#include "ui/message_box.h"
#include "ui/pictures.h"

namespace {

// For the start-up benchmark only (bench/startup_bench.cpp): with the environment
// variable ORVEX_QUIT_AFTER_FIRST_PAINT set, the process ends as soon as the window
// has painted itself for the first time, without tearing anything down.
class QuitAfterFirstPaint : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            QTimer::singleShot(0, [] { std::_Exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(orvex::iconImage(16)));
    icon.addPixmap(QPixmap::fromImage(orvex::iconImage(32)));
    QApplication::setWindowIcon(icon);

    // Messages of the load step come before the window exists and have no parent.
    QPointer<QWidget> messageParent;
    orvex::SetMessageHandler(
        orvex::messageBoxHandler([&messageParent] { return messageParent.data(); }));

    orvex::Form1 form(orvex::DiscoverStartup);
    messageParent = &form;
    QuitAfterFirstPaint quitter;
    if (qEnvironmentVariableIsSet("ORVEX_QUIT_AFTER_FIRST_PAINT")) {
        form.installEventFilter(&quitter);
    }
    form.show();
    const int result = QApplication::exec();
    orvex::SetMessageHandler({});
    return result;
}
