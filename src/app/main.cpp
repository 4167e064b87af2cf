#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include "install/startup.h"
#include "ui/form1.h"
#include "ui/pictures.h"
#include "ui/quit_after_first_paint.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(orvex::iconImage(16)));
    icon.addPixmap(QPixmap::fromImage(orvex::iconImage(32)));
    QApplication::setWindowIcon(icon);

    orvex::Form1 form(orvex::DiscoverStartup);
    orvex::QuitAfterFirstPaint quitter(form);
    form.show();
    return QApplication::exec();
}
