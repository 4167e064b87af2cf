#include "win32/message_box.h"

#include "form/form1_controls.h"

namespace orvex {

namespace {

MessageBoxRecorder*& installedRecorder() {
    static MessageBoxRecorder* recorder = nullptr;
    return recorder;
}

}  // namespace

MessageBoxRecorder::MessageBoxRecorder() : m_previous(installedRecorder()) {
    installedRecorder() = this;
}

MessageBoxRecorder::~MessageBoxRecorder() {
    installedRecorder() = m_previous;
}

void ShowMessages(HWND owner, const UserMessages& messages) {
    for (const UserMessage& message : messages) {
        const std::string title = message.title.empty() ? kApplicationTitle : message.title;
        if (MessageBoxRecorder* recorder = installedRecorder()) {
            recorder->m_messages.push_back({message.text, title});
            continue;
        }
        MessageBoxA(owner, message.text.c_str(), title.c_str(), MB_OK);
    }
}

}  // namespace orvex
