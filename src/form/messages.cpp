#include "form/messages.h"

#include "form/form1_controls.h"

namespace orvex {

namespace {

MessageBoxRecorder*& installedRecorder() {
    static MessageBoxRecorder* recorder = nullptr;
    return recorder;
}

}  // namespace

std::string TitleOf(const UserMessage& message) {
    return message.title.empty() ? std::string(kApplicationTitle) : message.title;
}

MessageBoxRecorder::MessageBoxRecorder() : m_previous(installedRecorder()) {
    installedRecorder() = this;
}

MessageBoxRecorder::~MessageBoxRecorder() {
    installedRecorder() = m_previous;
}

bool RecordedInsteadOfShown(const UserMessage& message) {
    MessageBoxRecorder* recorder = installedRecorder();
    if (recorder == nullptr) {
        return false;
    }
    recorder->m_messages.push_back({message.text, TitleOf(message)});
    return true;
}

std::function<StartupState()> LoadStepFor(int argc, char** argv) {
    if (argc < 2) {
        return [] { return StartupFromInstall(FindInstallOnThisMachine(), HostFileSystem()); };
    }
    // The folder stays bytes, as every path in the core does.
    return [folder = std::string(argv[1])] { return StartupForFolder(folder, HostFileSystem()); };
}

}  // namespace orvex
