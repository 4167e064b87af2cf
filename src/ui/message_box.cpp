#include "ui/message_box.h"

#include <QMessageBox>

#include "form/form1_controls.h"
#include "ui/text_1252.h"

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

void ShowMessages(QWidget* parent, const UserMessages& messages) {
    for (const UserMessage& message : messages) {
        const std::string title = message.title.empty() ? kApplicationTitle : message.title;
        if (MessageBoxRecorder* recorder = installedRecorder()) {
            recorder->m_messages.push_back({message.text, title});
            continue;
        }
        QMessageBox box(QMessageBox::NoIcon, fromAnsi(title), fromAnsi(message.text),
                        QMessageBox::Ok, parent);
        box.exec();
    }
}

}  // namespace orvex
