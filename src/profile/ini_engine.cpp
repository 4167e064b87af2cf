#include "profile/ini_engine.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <system_error>

#include "platform/text.h"

namespace orvex {

namespace {

std::vector<std::optional<std::string_view>> valuesOf(std::string_view text,
                                                      const std::vector<IniKey>& keys) {
    std::vector<std::optional<std::string_view>> values;
    for (const IniFound& found : IniLookup(text, keys)) {
        values.push_back(found.value);
    }
    return values;
}

// Copies `value` into `buffer` of `size` (> 0) characters the way the Windows
// service does: one pair of matching quotes removed, except that a value cut by
// the buffer keeps its closing quote.
std::size_t copyEntry(char* buffer, std::size_t size, std::string_view value) {
    const bool quoted = Unquoted(value).size() != value.size();
    if (quoted) {
        value.remove_prefix(1);
    }
    std::size_t copied = std::min(value.size(), size - 1);
    std::memcpy(buffer, value.data(), copied);
    if (quoted && size >= value.size() && copied > 0) {
        --copied;
    }
    buffer[copied] = '\0';
    return copied;
}

enum class DefaultFor { Value, KeyList };

// The service drops a value default's trailing spaces, but never its first character.
std::size_t copyDefault(char* buffer, std::size_t size, const char* defaultValue, DefaultFor use) {
    std::string_view text = defaultValue != nullptr ? defaultValue : "";
    while (use == DefaultFor::Value && text.size() > 1 && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return copyEntry(buffer, size, text);
}

// Writes names as name\0name\0\0. A list that does not fit ends with the cut
// name and two NULs and returns size - 2, as the Windows service does.
std::size_t copyNameList(char* buffer, std::size_t size, const std::vector<std::string>& names) {
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    char* out = buffer;
    std::size_t left = size - 1;
    for (const std::string& name : names) {
        const std::size_t needed = name.size() + 1;
        if (needed >= left) {
            std::memcpy(out, name.data(), left - 1);
            out += left - 1;
            *out++ = '\0';
            *out = '\0';
            return size - 2;
        }
        std::memcpy(out, name.c_str(), needed);
        out += needed;
        left -= needed;
    }
    *out = '\0';
    return static_cast<std::size_t>(out - buffer);
}

// A UTF-16 file (by its byte order mark) counts as unreadable: its names cannot be
// matched byte-wise, and 8-bit lines added to it would break it.
bool isUtf16(std::string_view bytes) {
    const std::string_view start = bytes.substr(0, 2);
    return start == "\xFF\xFE" || start == "\xFE\xFF";
}

Status refused(const std::string& file, const std::string& why) {
    return Status::Failure("Cannot write " + file + ": " + why);
}

// Why the names or value cannot be written without corrupting the file; empty
// when they can.
std::string unstorableArgument(std::string_view section, std::string_view key,
                               const std::optional<std::string>& value) {
    const auto hasBreak = [](std::string_view text) {
        return text.find_first_of("\r\n") != std::string_view::npos;
    };
    const auto hasNul = [](std::string_view text) {
        return text.find('\0') != std::string_view::npos;
    };
    if (hasNul(section) || hasNul(key) || (value && hasNul(*value))) {
        return "a name or the value contains a NUL character";
    }
    if (hasBreak(section)) {
        return "the section name contains a line break";
    }
    if (key.empty()) {
        return "the key name is empty";
    }
    // A key that starts with a byte order mark would lose it when it opens the file.
    const bool startsWithBom = key.compare(0, 3, "\xEF\xBB\xBF") == 0;
    if (hasBreak(key) || key.find('=') != std::string_view::npos || key.front() == '[' ||
        key.front() == ';' || startsWithBom) {
        return "the key name \"" + std::string(key) + "\" cannot be stored in an INI file";
    }
    if (value && hasBreak(*value)) {
        return "the value contains a line break";
    }
    return {};
}

// A write finds names trimmed, as reads do; a deletion matches them as given.
IniEdit matchedAsTheServiceDoes(IniEdit edit) {
    if (edit.value) {
        edit.section = std::string(TrimIniBlanks(edit.section));
        edit.key = std::string(TrimIniBlanks(edit.key));
    }
    return edit;
}

// Why the file as it is now cannot be the one the caller saw; empty when it can.
std::string vanishedKeys(const std::optional<std::string>& text,
                         const std::vector<IniKey>& mustExist) {
    if (mustExist.empty()) {
        return {};
    }
    if (!text) {
        return "the file is gone (" + std::generic_category().message(ENOENT) +
               "). It was not created anew, which would lose the game's other settings in it.";
    }
    const auto values = valuesOf(*text, mustExist);
    const auto missing = std::find(values.begin(), values.end(), std::nullopt);
    if (missing == values.end()) {
        return {};
    }
    const IniKey& first = mustExist[static_cast<std::size_t>(missing - values.begin())];
    const auto more = std::count(missing + 1, values.end(), std::nullopt);
    return "it has changed since it was loaded ([" + std::string(first.section) + "] " +
           std::string(first.key) + (more > 0 ? " and " + std::to_string(more) + " more" : "") +
           " gone), perhaps because the game is rewriting it. It was left as it is; select it "
           "again to load it as it is now.";
}

Status writeEdits(const std::vector<IniEdit>& edits, const std::vector<IniKey>& mustExist,
                  const std::string& file, FileSystem& files) {
    for (const IniEdit& edit : edits) {
        const std::string problem = unstorableArgument(edit.section, edit.key, edit.value);
        if (!problem.empty()) {
            return refused(file, problem);
        }
    }
    const ProfileFile current = ProfileFile::Read(file, files);
    if (!current.status()) {
        return refused(file, current.status().reason);
    }
    const std::string vanished = vanishedKeys(current.text(), mustExist);
    if (!vanished.empty()) {
        return refused(file, vanished);
    }
    const std::string_view text = current.text() ? *current.text() : std::string_view();
    const std::optional<std::string> bytes = IniEdited(text, edits);
    if (!bytes) {
        return Status::Success();
    }
    const Status written = files.replaceFile(files.hostPath(file), *bytes);
    return written ? written : refused(file, written.reason);
}

}  // namespace

ProfileFile ProfileFile::Read(const std::string& file, FileSystem& files) {
    ProfileFile result;
    FileRead read = files.readFile(files.hostPath(file), kLargestIniFile);
    if (read.kind == FileRead::Kind::Ok && isUtf16(read.bytes)) {
        read = {FileRead::Kind::Failed,
                {},
                "the file is UTF-16 text, which this tool can neither read nor write"};
    }
    if (read.kind == FileRead::Kind::Failed) {
        result.m_status = Status::Failure("Cannot read " + file + ": " + read.reason);
    } else if (read.kind == FileRead::Kind::Ok) {
        result.m_text = std::move(read.bytes);
    }
    return result;
}

std::size_t ProfileFile::getString(const char* section, const char* key, const char* defaultValue,
                                   char* buffer, std::size_t size, bool* found) const {
    if (found != nullptr) {
        *found = false;
    }
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    if (section == nullptr) {
        // Names past the buffer's end are cut off anyway.
        return copyNameList(buffer, size,
                            m_text ? IniSectionNames(*m_text, size) : std::vector<std::string>{});
    }
    if (key == nullptr) {
        // Unlike a value read, the service matches a key list's section name untrimmed.
        const auto names = m_text ? IniKeyNames(*m_text, section) : std::nullopt;
        const std::size_t length = names ? copyNameList(buffer, size, *names) : 0;
        // An empty list, also one that a tiny buffer made empty, gives the default.
        if (!names || buffer[0] == '\0') {
            return copyDefault(buffer, size, defaultValue, DefaultFor::KeyList);
        }
        if (found != nullptr) {
            *found = true;
        }
        return length;
    }
    const Answer answer =
        getStrings({{TrimIniBlanks(section), TrimIniBlanks(key)}}, {defaultValue}, size).front();
    std::memcpy(buffer, answer.text.c_str(), answer.text.size() + 1);
    if (found != nullptr) {
        *found = answer.found;
    }
    return answer.text.size();
}

std::vector<ProfileFile::Answer> ProfileFile::getStrings(const std::vector<IniKey>& keys,
                                                         const std::vector<const char*>& defaults,
                                                         std::size_t size) const {
    const auto values = m_text ? valuesOf(*m_text, keys)
                               : std::vector<std::optional<std::string_view>>(keys.size());
    std::vector<Answer> answers(keys.size());
    std::string buffer(size, '\0');
    for (std::size_t index = 0; index < keys.size(); ++index) {
        const std::size_t length =
            values[index] ? copyEntry(buffer.data(), size, *values[index])
                          : copyDefault(buffer.data(), size, defaults[index], DefaultFor::Value);
        answers[index] = {buffer.substr(0, length), values[index].has_value()};
    }
    return answers;
}

std::size_t ProfileGetString(const char* section, const char* key, const char* defaultValue,
                             char* buffer, std::size_t size, const std::string& file,
                             Status* status, bool* found, FileSystem& files) {
    const ProfileFile profile = ProfileFile::Read(file, files);
    if (status != nullptr) {
        *status = profile.status();
    }
    return profile.getString(section, key, defaultValue, buffer, size, found);
}

Status ProfileWriteString(const char* section, const char* key, const char* value,
                          const std::string& file, FileSystem& files) {
    if (section == nullptr || key == nullptr) {
        return refused(file, "no section or key given");
    }
    const std::optional<std::string> text =
        value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    return writeEdits({matchedAsTheServiceDoes({section, key, text})}, {}, file, files);
}

Status ProfileWriteStrings(const std::vector<IniEdit>& edits, const std::vector<IniKey>& mustExist,
                           const std::string& file, FileSystem& files) {
    std::vector<IniEdit> trimmed;
    trimmed.reserve(edits.size());
    for (const IniEdit& edit : edits) {
        trimmed.push_back(matchedAsTheServiceDoes(edit));
    }
    return writeEdits(trimmed, mustExist, file, files);
}

}  // namespace orvex
