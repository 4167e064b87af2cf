#include "messages.h"

#include <iostream>
#include <utility>

namespace orvex {

const char* const kApplicationTitle = "Brannic's Orvex Color Configuration";

namespace {

MessageHandler& installedHandler() {
    static MessageHandler handler;
    return handler;
}

}  // namespace

MessageHandler SetMessageHandler(MessageHandler handler) {
    return std::exchange(installedHandler(), std::move(handler));
}

void ShowMessage(const std::string& text, const std::string& title) {
    const std::string& shownTitle = title.empty() ? std::string(kApplicationTitle) : title;
    if (installedHandler()) {
        installedHandler()(text, shownTitle);
    } else {
        std::cerr << shownTitle << ": " << text << '\n';
    }
}

}  // namespace orvex
