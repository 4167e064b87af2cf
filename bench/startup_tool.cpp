// The tool as the start-up benchmark runs it: the same assembly as the product, and
// an exit right after the window's first paint.
#include "quit_after_first_paint.h"
#include "ui/application.h"

int main(int argc, char* argv[]) {
    return orvex::RunApplication(argc, argv,
                                 [](QWidget& window) { new orvex::QuitAfterFirstPaint(window); });
}
