#include "character_names.h"

#include "profile.h"

namespace orvex {

namespace {

// Lower case in the Windows-1252 code page in which file names reach us.
char toLower1252(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
        return static_cast<char>(byte + 0x20);
    }
    switch (byte) {
        case 0x8A:
            return static_cast<char>(0x9A);
        case 0x8C:
            return static_cast<char>(0x9C);
        case 0x8E:
            return static_cast<char>(0x9E);
        case 0x9F:
            return static_cast<char>(0xFF);
        default:
            return c;
    }
}

// One pass, left to right, without looking again at what a removal joins.
std::string removeAll(const std::string& text, const std::string& part) {
    std::string result;
    std::size_t from = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, from)) {
        result.append(text, from, at - from);
        from = at + part.size();
    }
    result.append(text, from, std::string::npos);
    return result;
}

}  // namespace

std::string PlayerIdFromFileName(const std::string& fileName) {
    std::string id = fileName;
    for (char& c : id) {
        c = toLower1252(c);
    }
    id = removeAll(id, "player");
    id = removeAll(id, ".ini");
    return removeAll(id, "_options");
}

std::string LookupCharacterName(const std::string& entryText, const std::string& outputFolder,
                                const std::vector<std::string>& shortcutSections) {
    const std::string id = PlayerIdFromFileName(entryText);
    for (const std::string& section : shortcutSections) {
        // An empty section name contains nothing, not even the empty id.
        if (!section.empty() && section.find(id) != std::string::npos) {
            return ReadINI(outputFolder + "shortcut.ini", section, "Name", std::string());
        }
    }
    return {};
}

}  // namespace orvex
