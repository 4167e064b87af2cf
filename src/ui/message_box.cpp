#include "ui/message_box.h"

#include <QMessageBox>

#include "ui/text_1252.h"

namespace orvex {

void ShowMessages(QWidget* parent, const UserMessages& messages) {
    for (const UserMessage& message : messages) {
        QMessageBox box(QMessageBox::NoIcon, fromAnsi(message.title), fromAnsi(message.text),
                        QMessageBox::Ok, parent);
        box.exec();
    }
}

}  // namespace orvex
