// The start-up peer: a Qt Widgets program that opens one empty window and, like the
// benchmark's build of the tool, ends right after its first paint.
// Built with ORVEX_ONE_LABEL it shows one line of text, to tell what text alone costs.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "quit_after_first_paint.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(474, 502);  // the tool's window size
#ifdef ORVEX_ONE_LABEL
    QLabel label("Select a Player INI file:", &window);
#endif
    new orvex::QuitAfterFirstPaint(window);
    window.show();
    return QApplication::exec();
}
