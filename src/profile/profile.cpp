#include "profile/profile.h"

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <system_error>

#include "platform/text.h"

namespace orvex {

namespace {

// The buffers the system's INI calls hand the Windows service, whose cutting rules
// the results keep: ReadINI's 500 characters, GetINISectionNames' 32767.
constexpr std::size_t kValueBuffer = 500;
constexpr std::size_t kSectionListBuffer = 32767;

std::string completedFileName(const std::string& fileName) {
    return fileName.find('.') == std::string::npos ? fileName + ".INI" : fileName;
}

// The file's bytes; nothing for a missing file, and, with the reason, for one that
// cannot be read. A UTF-16 file (by its byte order mark) counts as unreadable: its
// names cannot be matched byte-wise, and 8-bit lines added to it would break it.
Result<std::optional<std::string>> readText(const std::string& file, FileSystem& files) {
    FileRead read = files.readFile(files.hostPath(file), kLargestIniFile);
    const std::string_view start = std::string_view(read.bytes).substr(0, 2);
    if (read.kind == FileRead::Kind::Ok && (start == "\xFF\xFE" || start == "\xFE\xFF")) {
        return {std::nullopt,
                Status::Failure("the file is UTF-16 text, which this tool can neither read nor "
                                "write")};
    }
    if (read.kind == FileRead::Kind::Failed) {
        return {std::nullopt, Status::Failure(std::move(read.reason))};
    }
    if (read.kind == FileRead::Kind::NotFound) {
        return {};
    }
    return {std::move(read.bytes), {}};
}

Status readFailure(const std::string& file, const Status& status) {
    return Status::Failure("Cannot read " + file + ": " + status.reason);
}

Status writeFailure(const std::string& file, const std::string& reason) {
    return Status::Failure("Cannot write " + file + ": " + reason);
}

// `value` as the service copies it into ReadINI's buffer: one pair of matching quotes
// removed and cut to 499 characters, where a quoted value that fits the buffer with
// its closing quote loses one more character (the quote when it is all there).
std::string bufferedValue(std::string_view value) {
    const bool quoted = Unquoted(value).size() != value.size();
    if (quoted) {
        value.remove_prefix(1);
    }
    std::size_t length = std::min(value.size(), kValueBuffer - 1);
    if (quoted && value.size() <= kValueBuffer) {
        --length;
    }
    return std::string(value.substr(0, length));
}

// The service drops a value default's trailing spaces, but never its first character.
std::string bufferedDefault(const std::optional<std::string>& defaultValue, bool forAValue) {
    std::string_view text = defaultValue ? std::string_view(*defaultValue) : std::string_view();
    while (forAValue && text.size() > 1 && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return bufferedValue(text);
}

// The names, each followed by a NUL, as the service fills a buffer of `size`: a list
// that does not fit ends with the name cut to fill size - 2 characters, without its
// NUL.
std::string bufferedNames(const std::vector<std::string>& names, std::size_t size) {
    std::string list;
    for (const std::string& name : names) {
        if (list.size() + name.size() + 1 >= size - 1) {
            list.append(name, 0, size - 2 - list.size());
            break;
        }
        list += name;
        list += '\0';
    }
    return list;
}

// The key list as ReadINI returns it; one that is empty, or starts with an empty name,
// gives the default (quotes removed, trailing spaces kept).
IniEntry keyList(const std::optional<std::string>& text, const std::string& section,
                 const std::optional<std::string>& defaultValue) {
    // Unlike a value read, the service matches a key list's section name untrimmed.
    const auto names = text ? IniKeyNames(*text, section) : std::nullopt;
    IniEntry entry;
    entry.sectionFound = names.has_value();
    entry.text = names ? bufferedNames(*names, kValueBuffer) : std::string();
    entry.fromFile = !entry.text.empty() && entry.text.front() != '\0';
    if (!entry.fromFile) {
        entry.text = bufferedDefault(defaultValue, false);
    }
    return entry;
}

// Why the names or value cannot be written without corrupting the file; empty
// when they can.
std::string unstorable(const IniEdit& edit) {
    const auto hasBreak = [](std::string_view text) {
        return text.find_first_of("\r\n") != std::string_view::npos;
    };
    const auto hasNul = [](std::string_view text) {
        return text.find('\0') != std::string_view::npos;
    };
    if (hasNul(edit.section) || hasNul(edit.key) || (edit.value && hasNul(*edit.value))) {
        return "a name or the value contains a NUL character";
    }
    if (hasBreak(edit.section)) {
        return "the section name contains a line break";
    }
    const std::string& key = edit.key;
    if (key.empty()) {
        return "the key name is empty";
    }
    // A key that starts with a byte order mark would lose it when it opens the file.
    const bool startsWithBom = key.compare(0, 3, "\xEF\xBB\xBF") == 0;
    if (hasBreak(key) || key.find('=') != std::string::npos || key.front() == '[' ||
        key.front() == ';' || startsWithBom) {
        return "the key name \"" + key + "\" cannot be stored in an INI file";
    }
    if (edit.value && hasBreak(*edit.value)) {
        return "the value contains a line break";
    }
    return {};
}

// A write finds names trimmed, as reads do (so does the service); a deletion matches
// them as given; an empty value deletes the key.
IniEdit asStored(IniEdit edit) {
    if (edit.value && edit.value->empty()) {
        edit.value.reset();
    } else if (edit.value) {
        edit.section = std::string(TrimIniBlanks(edit.section));
        edit.key = std::string(TrimIniBlanks(edit.key));
    }
    return edit;
}

// Why the file as it is now must not be written; success when it may.
Status checked(const std::optional<std::string>& text, const IniGuard& guard) {
    if (guard.keys.empty() && guard.sections.empty()) {
        return Status::Success();
    }
    if (!text) {
        return Status::Refusal(Status::Kind::Vanished, std::generic_category().message(ENOENT));
    }
    std::vector<IniKey> looked = guard.keys;
    for (const std::string_view section : guard.sections) {
        looked.push_back({section, {}});
    }
    const std::vector<IniFound> found = IniLookup(*text, looked);
    const auto sections = found.begin() + static_cast<std::ptrdiff_t>(guard.keys.size());
    if (!guard.sections.empty() &&
        std::none_of(sections, found.end(), [](const IniFound& f) { return f.section; })) {
        return Status::Refusal(Status::Kind::Unrecognised,
                               "the file holds none of the sections written to");
    }
    const auto missing =
        std::find_if(found.begin(), sections, [](const IniFound& f) { return !f.value; });
    if (missing == sections) {
        return Status::Success();
    }
    const IniKey& first = guard.keys[static_cast<std::size_t>(missing - found.begin())];
    const auto more =
        std::count_if(missing + 1, sections, [](const IniFound& f) { return !f.value; });
    return Status::Refusal(Status::Kind::Changed,
                           "[" + std::string(first.section) + "] " + std::string(first.key) +
                               (more > 0 ? " and " + std::to_string(more) + " more" : ""));
}

}  // namespace

std::int16_t GetINISectionNames(const std::string& fileName, std::vector<std::string>& sectionNames,
                                FileSystem& files) {
    const auto text = readText(completedFileName(fileName), files).value;
    // Names past the list's end are cut off anyway.
    std::vector<std::string> names =
        text ? IniSectionNames(*text, kSectionListBuffer) : std::vector<std::string>{};
    std::size_t listed = 0;
    std::size_t fitting = 0;
    for (; fitting < names.size(); ++fitting) {
        listed += names[fitting].size() + 1;
        if (listed > kSectionListBuffer - 2) {
            break;  // the service cuts this name; its part is no name
        }
    }
    names.resize(fitting);
    if (names.empty()) {
        names.assign(2, std::string());
    }
    sectionNames = std::move(names);
    return static_cast<std::int16_t>(static_cast<int>(fitting) - 1);
}

Result<IniEntry> ReadINIEntry(const std::string& fileName, const std::string& section,
                              const std::string& key,
                              const std::optional<std::string>& defaultValue, FileSystem& files) {
    if (!key.empty()) {
        Result<std::vector<IniEntry>> read =
            ReadINIEntries(fileName, {{section, key, defaultValue}}, files);
        return {std::move(read.value.front()), std::move(read.status)};
    }
    const std::string file = completedFileName(fileName);
    const Result<std::optional<std::string>> text = readText(file, files);
    return {keyList(text.value, section, defaultValue),
            text.status ? Status::Success() : readFailure(file, text.status)};
}

Result<std::vector<IniEntry>> ReadINIEntries(const std::string& fileName,
                                             const std::vector<IniRequest>& requests,
                                             FileSystem& files) {
    const std::string file = completedFileName(fileName);
    const Result<std::optional<std::string>> text = readText(file, files);
    std::vector<IniKey> keys;
    for (const IniRequest& request : requests) {
        keys.push_back({TrimIniBlanks(request.section), TrimIniBlanks(request.key)});
    }
    const std::vector<IniFound> found =
        text.value ? IniLookup(*text.value, keys) : std::vector<IniFound>(keys.size());
    Result<std::vector<IniEntry>> read;
    for (std::size_t index = 0; index < requests.size(); ++index) {
        const IniFound& here = found[index];
        read.value.push_back({here.value ? bufferedValue(*here.value)
                                         : bufferedDefault(requests[index].defaultValue, true),
                              here.value.has_value(), here.section});
    }
    if (!text.status) {
        read.status = readFailure(file, text.status);
    }
    return read;
}

Status WriteINIValues(const std::string& fileName, const std::vector<IniEdit>& writes,
                      const IniGuard& guard, FileSystem& files) {
    const std::string file = completedFileName(fileName);
    std::vector<IniEdit> edits;
    edits.reserve(writes.size());
    for (const IniEdit& write : writes) {
        edits.push_back(asStored(write));
        const std::string problem = unstorable(edits.back());
        if (!problem.empty()) {
            return writeFailure(file, problem);
        }
    }
    // The read, the check and the replace are one transaction: what the check sees is
    // what the edits are made on.
    const Result<std::optional<std::string>> current = readText(file, files);
    if (!current.status) {
        return writeFailure(file, current.status.reason);
    }
    if (Status refused = checked(current.value, guard); !refused) {
        return refused;
    }
    const std::optional<std::string> bytes =
        IniEdited(current.value ? std::string_view(*current.value) : std::string_view(), edits);
    if (!bytes) {
        return Status::Success();
    }
    const Status written = files.replaceFile(files.hostPath(file), *bytes);
    return written ? written : writeFailure(file, written.reason);
}

}  // namespace orvex
