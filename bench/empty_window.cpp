// The start-up peer: a Qt Widgets program that opens one empty window. Like the
// tool, it ends right after its first paint when ORVEX_QUIT_AFTER_FIRST_PAINT is set.
// Built with ORVEX_ONE_LABEL it shows one line of text, to tell what text alone costs.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace {

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
    QWidget window;
    window.resize(474, 502);  // the tool's window size
#ifdef ORVEX_ONE_LABEL
    QLabel label("Select a Player INI file:", &window);
#endif
    QuitAfterFirstPaint quitter;
    if (qEnvironmentVariableIsSet("ORVEX_QUIT_AFTER_FIRST_PAINT")) {
        window.installEventFilter(&quitter);
    }
    window.show();
    return QApplication::exec();
}
