#include "form/messages.h"

#include <utility>

#include "form/form1_controls.h"
#include "platform/text.h"

namespace orvex {

namespace {

bool isBreak(char c) {
    return c == ' ' || c == '\n' || c == '\t';
}

// Texts between a pair of double quotes, cut to kLongestQuote characters.
std::string withShortQuotes(const std::string& text) {
    std::string result;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('"', at);
        const std::size_t close = open == std::string::npos ? open : text.find('"', open + 1);
        if (close == std::string::npos) {
            return result + text.substr(at);
        }
        const std::size_t length = close - open - 1;
        result += text.substr(at, open + 1 - at);
        result += length > kLongestQuote ? text.substr(open + 1, kLongestQuote - 3) + "..."
                                         : text.substr(open + 1, length);
        result += '"';
        at = close + 1;
    }
    return result;
}

// A line break after the last separator in the second half of the run, else at its
// end.
std::size_t breakPoint(const std::string& run) {
    const std::size_t separator = run.find_last_of("\\/");
    return separator != std::string::npos && separator >= run.size() / 2 ? separator + 1
                                                                         : run.size();
}

std::string withShortRuns(const std::string& text) {
    std::string result;
    std::string run;
    for (const char c : text) {
        if (isBreak(c)) {
            result += run + c;
            run.clear();
            continue;
        }
        run += c;
        if (run.size() > kLongestUnbrokenRun) {
            const std::size_t cut = breakPoint(run.substr(0, kLongestUnbrokenRun));
            result += run.substr(0, cut) + '\n';
            run.erase(0, cut);
        }
    }
    return result + run;
}

}  // namespace

std::u16string Decoded1252(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        text += Decode1252(byte);
    }
    return text;
}

UserMessage AsShown(UserMessage message) {
    if (message.title.empty()) {
        message.title = kApplicationTitle;
    }
    message.text = withShortRuns(withShortQuotes(message.text));
    return message;
}

}  // namespace orvex
