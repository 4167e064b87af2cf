#include "win32/application.h"

int main(int argc, char* argv[]) {
    return orvex::RunApplication(argc, argv);
}
