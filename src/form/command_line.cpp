#include "form/command_line.h"

#include <cstdio>

#include "form/scheme.h"
#include "platform/system_file_system.h"

namespace orvex {

namespace {

CommandLine usageError(std::string error) {
    return {CommandLine::Action::UsageError, {}, std::move(error)};
}

CommandOutcome exportScheme(const std::string& optionsFile, const std::string& schemeFile,
                            FileSystem& files) {
    // A player options file is itself a scheme: the same reader takes its colours.
    const SchemeRead read = ReadScheme(optionsFile, files);
    if (!read.status) {
        return {1, {}, optionsFile + ": " + read.status.reason + "\n"};
    }
    const Status written = WriteScheme(schemeFile, read.scheme, files);
    if (!written) {
        return {1, {}, schemeFile + ": not written: " + written.reason + "\n"};
    }
    return {0, schemeFile + ": written\n", {}};
}

CommandOutcome applyScheme(const std::vector<std::string>& arguments, FileSystem& files) {
    const std::string& schemeFile = arguments.front();
    const SchemeRead read = ReadScheme(schemeFile, files);
    if (!read.status) {
        return {1, {}, schemeFile + ": " + read.status.reason + "\n"};
    }
    CommandOutcome outcome;
    const std::vector<std::string> targets(arguments.begin() + 1, arguments.end());
    for (const ApplyResult& result : ApplyScheme(read.scheme, targets, files)) {
        (result.ok() ? outcome.out : outcome.err) += ApplyResultLine(result) + "\n";
        if (!result.ok()) {
            outcome.exitStatus = 1;
        }
    }
    return outcome;
}

void print(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.front().compare(0, 2, "--") != 0) {
        return {CommandLine::Action::Window, arguments, {}};
    }
    const std::string& action = arguments.front();
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (action == "--help" || action == "--version") {
        if (!rest.empty()) {
            return usageError(action + " takes no file");
        }
        return {
            action == "--help" ? CommandLine::Action::Help : CommandLine::Action::Version, {}, {}};
    }
    if (action == "--export") {
        if (rest.size() != 2) {
            return usageError("--export takes an options file and a scheme file");
        }
        return {CommandLine::Action::Export, rest, {}};
    }
    if (action == "--apply") {
        if (rest.size() < 2) {
            return usageError("--apply takes a scheme file and at least one options file");
        }
        return {CommandLine::Action::Apply, rest, {}};
    }
    return usageError("unknown option " + action);
}

std::string UsageText() {
    return "Usage: orvexcolors [FOLDER]\n"
           "       orvexcolors --export OPTIONS_FILE SCHEME_FILE\n"
           "       orvexcolors --apply SCHEME_FILE OPTIONS_FILE...\n"
           "       orvexcolors --help | --version\n"
           "\n"
           "Without an option the window opens on FOLDER (the game folder or its\n"
           "Data\\client\\output folder), else on the game the registry names.\n"
           "  --export   write the 24 chat colours of a player options file to a scheme file\n"
           "  --apply    give each player options file the colours of a scheme file; each\n"
           "             file is written whole or not at all, and only its colour values\n"
           "  --help     show this text\n"
           "  --version  show the program's version\n"
           "\n"
           "Exit status: 0 when every file was written or already held the scheme, 1 when\n"
           "a file failed (one line each on standard error), 2 for a usage error.\n";
}

CommandOutcome RunCommand(const CommandLine& command, FileSystem& files) {
    switch (command.action) {
        case CommandLine::Action::Help:
            return {0, UsageText(), {}};
        case CommandLine::Action::Version:
            return {0, ProgramVersionText() + "\n", {}};
        case CommandLine::Action::Export:
            return exportScheme(command.files.at(0), command.files.at(1), files);
        case CommandLine::Action::Apply:
            return applyScheme(command.files, files);
        case CommandLine::Action::UsageError:
            return {2, {}, "orvexcolors: " + command.error + "\n" + UsageText()};
        case CommandLine::Action::Window:
            break;
    }
    return {2, {}, UsageText()};
}

int RunCommandOnThisMachine(const CommandLine& command) {
    SystemFileSystem files;
    const CommandOutcome outcome = RunCommand(command, files);
    print(stdout, outcome.out);
    print(stderr, outcome.err);
    return outcome.exitStatus;
}

}  // namespace orvex
