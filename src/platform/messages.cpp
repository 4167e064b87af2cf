#include "messages.h"

#include <iostream>
#include <memory>
#include <set>
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

ScopedRepeatSuppression::ScopedRepeatSuppression() {
    auto shown = std::make_shared<std::set<std::pair<std::string, std::string>>>();
    m_previous = SetMessageHandler(
        [shown, next = installedHandler()](const std::string& text, const std::string& title) {
            if (!shown->emplace(text, title).second) {
                return;
            }
            if (next) {
                next(text, title);
            } else {
                std::cerr << title << ": " << text << '\n';
            }
        });
}

ScopedRepeatSuppression::~ScopedRepeatSuppression() {
    SetMessageHandler(std::move(m_previous));
}

}  // namespace orvex
