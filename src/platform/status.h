#pragma once

#include <string>
#include <utility>
#include <vector>

namespace orvex {

// What an operation of the core reports: success, or a failure with the reason in
// words (the operating system's message where it gave one). The one result type of
// the file layer, the profile service, the registry reader and the slot table.
struct Status {
    bool ok = true;
    std::string reason;  // empty when ok

    static Status Success() { return {}; }
    static Status Failure(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

// A text the user must be shown in a modal message with an OK button only. The core
// hands these back; only a window shows them. An empty title stands for the
// application's title.
struct UserMessage {
    std::string text;
    std::string title;

    bool operator==(const UserMessage& other) const {
        return text == other.text && title == other.title;
    }
};
using UserMessages = std::vector<UserMessage>;

}  // namespace orvex
