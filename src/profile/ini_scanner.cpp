#include "profile/ini_scanner.h"

#include "platform/text.h"

namespace orvex {

namespace {

std::string_view cutAtNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::size_t lineEndFrom(std::string_view text, std::size_t pos) {
    while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') {
        ++pos;
    }
    return pos;
}

std::size_t nextLineFrom(std::string_view text, std::size_t pos) {
    while (pos < text.size() && (text[pos] == '\r' || text[pos] == '\n')) {
        ++pos;
    }
    return pos;
}

}  // namespace

IniScanner::IniScanner(std::string_view text)
    : m_text(text), m_bodyStart(text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0), m_pos(m_bodyStart) {}

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
