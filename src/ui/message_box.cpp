#include "message_box.h"

#include <QMessageBox>
#include <utility>

#include "text_1252.h"

namespace orvex {

MessageHandler messageBoxHandler(std::function<QWidget*()> parent) {
    return [parent = std::move(parent)](const std::string& text, const std::string& title) {
        QMessageBox box(QMessageBox::NoIcon, fromAnsi(title), fromAnsi(text), QMessageBox::Ok,
                        parent ? parent() : nullptr);
        box.exec();
    };
}

}  // namespace orvex
