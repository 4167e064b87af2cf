#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace orvex {

// What the program's arguments ask for. Both programs parse them before any window
// exists; only Window goes on to open one.
struct CommandLine {
    enum class Action {
        Window,      // no action named: the arguments (a folder) go to the window
        Export,      // files: the options file, the scheme file
        Apply,       // files: the scheme file, then the options files
        Help,        // the usage text on standard output
        Version,     // "orvexcolors 1.0.0"
        UsageError,  // `error`, then the usage text, on standard error
    };
    Action action = Action::Window;
    std::vector<std::string> files;
    std::string error;
};

// `arguments` without the program's name. An action is named by the first argument;
// any other first argument starting with "--" is a usage error. Everything else,
// single-dash toolkit options included, is the window's.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::string UsageText();

// What a command-line action printed and its exit status: 0 when every file was
// written or already held the scheme, 1 when one failed ("<file>: <reason>" on
// standard error, one line each; the other files are still done), 2 for a usage
// error.
struct CommandOutcome {
    int exitStatus = 0;
    std::string out;
    std::string err;
};
// Carries out an action other than Window on `files`. Paths are taken as given: on
// the command line they are paths of the host.
CommandOutcome RunCommand(const CommandLine& command, FileSystem& files);

// The same on this machine's files, printing to standard output and standard error;
// returns the exit status.
int RunCommandOnThisMachine(const CommandLine& command);

}  // namespace orvex
