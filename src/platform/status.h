#pragma once

#include <string>
#include <utility>
#include <vector>

namespace orvex {

// What an operation of the core reports: success, or a failure with the reason as a
// fact (the operating system's message where it gave one). The one status type of
// the file layer, the profile service, the registry reader and the slot table;
// callers word it for the user.
struct Status {
    // The failures a caller tells apart; the reason holds the fact behind each.
    enum class Kind {
        None,          // success
        Failed,        // what could not be done and why
        Vanished,      // the file read before is gone
        Changed,       // what was read from the file before is gone from it; the reason names it
        Unrecognised,  // the file holds none of what the caller works on (empty, or another kind)
    };

    bool ok = true;
    std::string reason;  // empty when ok
    Kind kind = Kind::None;

    static Status Success() { return {}; }
    static Status Failure(std::string why) { return {false, std::move(why), Kind::Failed}; }
    static Status Refusal(Kind kind, std::string fact) { return {false, std::move(fact), kind}; }
    explicit operator bool() const { return ok; }
};

// A value and the status of getting it. On failure the value is the fallback the
// operation documents (a default, an empty list), so a caller may use it either way.
template <typename T>
struct Result {
    T value{};
    Status status;
    explicit operator bool() const { return status.ok; }
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
