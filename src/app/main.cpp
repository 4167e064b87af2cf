#include <string>
#include <vector>

#include "form/command_line.h"
#include "ui/application.h"

int main(int argc, char* argv[]) {
    // A command-line action runs before, and without, any window or toolkit.
    const orvex::CommandLine command =
        orvex::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (command.action != orvex::CommandLine::Action::Window) {
        return orvex::RunCommandOnThisMachine(command);
    }
    return orvex::RunApplication(argc, argv);
}
