#include "profile/ini_scanner.h"

#include <algorithm>
#include <cstring>

#include "platform/text.h"

namespace orvex {

namespace {

std::string_view cutAtNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// The first CR or LF at or after `pos`, or the end of the text; memchr does the
// walking, as lines are often long.
std::size_t lineEndFrom(std::string_view text, std::size_t pos) {
    const char* const begin = text.data() + pos;
    const std::size_t left = text.size() - pos;
    const void* lf = std::memchr(begin, '\n', left);
    const std::size_t beforeLf = lf != nullptr ? static_cast<const char*>(lf) - begin : left;
    const void* cr = std::memchr(begin, '\r', beforeLf);
    return pos + (cr != nullptr ? static_cast<std::size_t>(static_cast<const char*>(cr) - begin)
                                : beforeLf);
}

bool isBlankWithinLine(char c) {
    return c != '\r' && c != '\n' && IsIniBlank(c);
}

std::size_t nextLineFrom(std::string_view text, std::size_t pos) {
    while (pos < text.size() && (text[pos] == '\r' || text[pos] == '\n')) {
        ++pos;
    }
    return pos;
}

}  // namespace

IniScanner::IniScanner(std::string_view text, bool wholeFile)
    : m_text(text),
      m_bodyStart(wholeFile && text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0),
      m_pos(m_bodyStart) {}

bool IniScanner::next(IniLine& line) {
    if (m_pos >= m_text.size()) {
        return false;
    }
    line = IniLine{};
    line.begin = m_pos;
    line.end = lineEndFrom(m_text, m_pos);
    line.next = nextLineFrom(m_text, line.end);
    m_pos = line.next;
    classify(line);
    return true;
}

bool IniScanner::startsLine(std::size_t at) const {
    while (at > m_bodyStart && isBlankWithinLine(m_text[at - 1])) {
        --at;
    }
    return at == m_bodyStart || m_text[at - 1] == '\r' || m_text[at - 1] == '\n';
}

bool IniScanner::nameMayStartWith(std::size_t bracket, std::string_view initials) const {
    std::size_t at = bracket + 1;
    while (at < m_text.size() && isBlankWithinLine(m_text[at])) {
        ++at;
    }
    return initials.empty() ||
           (at < m_text.size() && initials.find(AsciiLower(m_text[at])) != std::string_view::npos);
}

void IniScanner::skipToPossibleHeader(std::string_view initials) {
    std::size_t from = m_pos;
    while (from < m_text.size()) {
        const void* found = std::memchr(m_text.data() + from, '[', m_text.size() - from);
        if (found == nullptr) {
            break;
        }
        const auto bracket =
            static_cast<std::size_t>(static_cast<const char*>(found) - m_text.data());
        if (startsLine(bracket) && nameMayStartWith(bracket, initials)) {
            std::size_t begin = bracket;
            while (begin > m_pos && isBlankWithinLine(m_text[begin - 1])) {
                --begin;
            }
            m_pos = std::max(begin, m_pos);
            return;
        }
        from = bracket + 1;
    }
    m_pos = m_text.size();
}

void IniScanner::classify(IniLine& line) const {
    const std::string_view content =
        TrimIniBlanks(m_text.substr(line.begin, line.end - line.begin));
    line.content = content;
    if (content.empty()) {
        return;
    }
    if (content.front() == '[') {
        const std::size_t close = content.rfind(']');
        if (close != std::string_view::npos) {
            line.kind = IniLine::Kind::Header;
            line.name = cutAtNul(TrimIniBlanks(content.substr(1, close - 1)));
            return;
        }
    }
    line.kind = IniLine::Kind::Entry;
    const std::size_t equals = content.find('=');
    line.name = cutAtNul(TrimIniBlanks(content.substr(0, equals)));
    if (equals != std::string_view::npos) {
        line.hasEquals = true;
        line.rawValue = TrimIniBlanks(content.substr(equals + 1));
    }
}

}  // namespace orvex
