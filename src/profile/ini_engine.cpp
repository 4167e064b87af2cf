#include "ini_engine.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "ini_document.h"
#include "platform/host_path.h"

namespace orvex {

namespace {

// Copies `value` into `buffer` of `size` (> 0) characters the way the Windows
// service does: one pair of matching quotes removed, except that a value cut by
// the buffer keeps its closing quote.
std::size_t copyEntry(char* buffer, std::size_t size, std::string_view value) {
    const bool quoted = unquotedValue(value).size() != value.size();
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

// The service drops the default's trailing spaces for a value read only.
std::size_t copyDefault(char* buffer, std::size_t size, const char* defaultValue, DefaultFor use) {
    std::string_view text = defaultValue != nullptr ? defaultValue : "";
    while (use == DefaultFor::Value && !text.empty() && text.back() == ' ') {
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
constexpr const char* kUtf16Refusal =
    "the file is UTF-16 text, which this tool can neither read nor write";

bool isUtf16(std::string_view bytes) {
    const std::string_view start = bytes.substr(0, 2);
    return start == "\xFF\xFE" || start == "\xFE\xFF";
}

FileRead readIniFile(FileSystem& fileSystem, const std::string& hostPath) {
    FileRead read = fileSystem.readFile(hostPath, kLargestIniFile);
    if (read.kind == FileRead::Kind::Ok && isUtf16(read.bytes)) {
        read = {FileRead::Kind::Failed, {}, kUtf16Refusal};
    }
    return read;
}

// What the file holds, or nothing when it is missing or unreadable. The view
// lives in storage kept until the next read of this thread.
std::optional<std::string_view> loadText(FileSystem& fileSystem, const std::string& file,
                                         ProfileStatus* status) {
    thread_local std::string storage;
    FileRead read = readIniFile(fileSystem, HostPath(file));
    if (read.kind == FileRead::Kind::Failed && status != nullptr) {
        status->ok = false;
        status->reason = "Cannot read " + file + ": " + read.reason;
    }
    if (read.kind != FileRead::Kind::Ok) {
        return std::nullopt;
    }
    storage = std::move(read.bytes);
    return std::string_view(storage);
}

std::size_t readKeyList(const std::optional<std::string_view>& text, const char* section,
                        const char* defaultValue, char* buffer, std::size_t size, bool* found) {
    // Unlike a value read, the service matches a key list's section name
    // untrimmed.
    const auto names = text ? iniScanKeyNames(*text, section) : std::nullopt;
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

std::size_t readValue(const std::optional<std::string_view>& text, const char* section,
                      const char* key, const char* defaultValue, char* buffer, std::size_t size,
                      bool* found) {
    const auto value =
        text ? iniScanValue(*text, iniTrimmed(section), iniTrimmed(key)) : std::nullopt;
    if (!value) {
        return copyDefault(buffer, size, defaultValue, DefaultFor::Value);
    }
    if (found != nullptr) {
        *found = true;
    }
    return copyEntry(buffer, size, *value);
}

ProfileStatus refused(const std::string& file, const std::string& why) {
    return {false, "Cannot write " + file + ": " + why};
}

// Why the names or value cannot be written without corrupting the file; empty
// when they can.
std::string unstorableArgument(std::string_view section, std::string_view key, const char* value) {
    const auto hasBreak = [](std::string_view text) {
        return text.find_first_of("\r\n") != std::string_view::npos;
    };
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
    if (value != nullptr && hasBreak(value)) {
        return "the value contains a line break";
    }
    return {};
}

}  // namespace

std::size_t ProfileGetString(const char* section, const char* key, const char* defaultValue,
                             char* buffer, std::size_t size, const std::string& file,
                             ProfileStatus* status, bool* found, FileSystem& fileSystem) {
    if (status != nullptr) {
        *status = ProfileStatus{};
    }
    if (found != nullptr) {
        *found = false;
    }
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const std::optional<std::string_view> text = loadText(fileSystem, file, status);
    if (section == nullptr) {
        if (!text) {
            buffer[0] = '\0';
            return 0;
        }
        // Names past the buffer's end are cut off anyway.
        return copyNameList(buffer, size, iniScanSectionNames(*text, size));
    }
    if (key == nullptr) {
        return readKeyList(text, section, defaultValue, buffer, size, found);
    }
    return readValue(text, section, key, defaultValue, buffer, size, found);
}

ProfileStatus ProfileWriteString(const char* section, const char* key, const char* value,
                                 const std::string& file, FileSystem& fileSystem) {
    if (section == nullptr || key == nullptr) {
        return refused(file, "no section or key given");
    }
    const std::string_view sectionName = iniTrimmed(section);
    const std::string_view keyName = iniTrimmed(key);
    const std::string problem = unstorableArgument(sectionName, keyName, value);
    if (!problem.empty()) {
        return refused(file, problem);
    }
    const std::string hostPath = HostPath(file);
    FileRead read = readIniFile(fileSystem, hostPath);
    if (read.kind == FileRead::Kind::Failed) {
        return refused(file, read.reason);
    }
    const std::optional<std::string> bytes = iniEdited(read.bytes, sectionName, keyName, value);
    if (!bytes) {
        return {};
    }
    const Status written = fileSystem.replaceFile(hostPath, *bytes);
    if (!written) {
        return refused(file, written.reason);
    }
    return {};
}

}  // namespace orvex
