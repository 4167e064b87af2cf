// The selected file: saving it, loading it again, and watching it for other programs.
#include "form/form1_controller.h"
#include "profile/ini_text.h"

namespace orvex {

std::string Form1Controller::selectedPath() const {
    return m_fileList.Path() + "\\" + selectedEntry().value_or("");
}

std::optional<std::string> Form1Controller::selectedFileBytes() const {
    FileSystem& files = m_host.files();
    FileRead read = files.readFile(files.hostPath(selectedPath()), kLargestIniFile);
    return read.kind == FileRead::Kind::Ok ? std::optional(std::move(read.bytes)) : std::nullopt;
}

// A save the file holds ends the notice; the colours it wrote are watched.
Update Form1Controller::save() {
    std::vector<int> unsaved;
    for (int slot = 0; slot < ColourSlotTable::kSlotCount; ++slot) {
        if (slotUnsaved(slot)) {
            unsaved.push_back(slot);
        }
    }
    const UserMessages told = m_table.SaveColorSlots(m_fileList);
    if (told.size() == 1 && told[0].text == "INI file saved") {
        for (const int slot : unsaved) {
            m_savedColours[static_cast<std::size_t>(slot)] = m_table.slot(slot).colour & kWhite;
        }
        m_seenBytes = selectedFileBytes();
        m_notice.clear();
    }
    return {kSlotsPart, told};
}

bool Form1Controller::editsSettled(Update& update) {
    if (!hasUnsavedEdits()) {
        return true;
    }
    switch (m_dialogs->askToSave("Save the colours you changed in " + *selectedEntry() + "?")) {
        case SaveChoice::DontSave:
            return true;
        case SaveChoice::Cancel:
            return false;
        case SaveChoice::Save:
            break;
    }
    const Update saved = save();
    update.changed |= saved.changed;
    update.tell(saved.messages);
    return !hasUnsavedEdits();
}

Update Form1Controller::reload() {
    Update update;
    if (editsSettled(update)) {
        loadSelection(update);
    }
    return update;
}

Update Form1Controller::close() {
    Update update;
    update.closeWindow = editsSettled(update);
    return update;
}

// Without edits the file is shown as it is now; with them the user is told, and a
// save keeps the other program's changes but those of the options edited.
Update Form1Controller::tick() {
    if (!selectedEntry()) {
        return {};
    }
    std::optional<std::string> bytes = selectedFileBytes();
    if (!bytes || bytes == m_seenBytes) {
        return {};
    }
    const std::vector<int> replaced = replacedSavedSlots(*bytes);
    m_seenBytes = std::move(bytes);
    Update update;
    if (!replaced.empty()) {
        update.messages.push_back({"The colours you saved in " + *selectedEntry() +
                                       " were replaced by another program. The game writes its "
                                       "options when it closes: close the game, then save again.",
                                   {}});
    }
    if (hasUnsavedEdits()) {
        m_notice = *selectedEntry() +
                   " was changed by another program. Save keeps its changes, except the options "
                   "you edited.";
        return update;
    }
    const auto savedColours = m_savedColours;  // still in the file: still watched
    loadSelection(update);
    m_savedColours = savedColours;
    update.messages.clear();  // quietly: the user asked for nothing
    return update;
}

// The slots whose saved colour `bytes` no longer hold. Their file colour is now the
// other program's, so the colours shown count as unsaved again.
std::vector<int> Form1Controller::replacedSavedSlots(std::string_view bytes) {
    std::vector<int> replaced;
    for (int slot = 0; slot < ColourSlotTable::kSlotCount; ++slot) {
        std::optional<PackedColour>& saved = m_savedColours[static_cast<std::size_t>(slot)];
        const std::optional<std::string_view> value =
            saved ? IniValue(bytes, m_table.slot(slot).sectionName, "OptionValue") : std::nullopt;
        const ColourTextResult now = value ? ColorFromText(Unquoted(*value))
                                           : ColourTextResult{0, ColourTextError::TooFewPieces};
        if (!saved || (now && now.colour == *saved)) {
            continue;
        }
        m_table.NoteFileColour(slot, now ? std::optional(now.colour) : std::nullopt);
        saved.reset();
        replaced.push_back(slot);
    }
    return replaced;
}

}  // namespace orvex
