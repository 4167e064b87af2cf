#include "character_names.h"

#include "platform/text.h"
#include "profile/profile.h"

namespace orvex {

namespace {

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
    // File names reach us in Windows-1252.
    std::string id = removeAll(Lower1252(fileName), "player");
    id = removeAll(id, ".ini");
    return removeAll(id, "_options");
}

Result<std::string> LookupCharacterName(const std::string& entryText,
                                        const std::string& outputFolder,
                                        const std::vector<std::string>& shortcutSections,
                                        FileSystem& files) {
    const std::string id = PlayerIdFromFileName(entryText);
    for (const std::string& section : shortcutSections) {
        // An empty section name contains nothing, not even the empty id.
        if (!section.empty() && section.find(id) != std::string::npos) {
            Result<IniEntry> read =
                ReadINIEntry(outputFolder + "shortcut.ini", section, "Name", std::string(), files);
            return {std::move(read.value.text), std::move(read.status)};
        }
    }
    return {};
}

}  // namespace orvex
