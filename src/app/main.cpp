#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QPointer>

#include "install/startup.h"
#include "platform/messages.h"
#include "ui/form1.h"
#include "ui/message_box.h"
#include "ui/pictures.h"
#include "ui/quit_after_first_paint.h"

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
    orvex::QuitAfterFirstPaint quitter(form);
    form.show();
    const int result = QApplication::exec();
    orvex::SetMessageHandler({});
    return result;
}
