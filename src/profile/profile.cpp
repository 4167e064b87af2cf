#include "profile/profile.h"

#include <algorithm>
#include <vector>

#include "platform/text.h"

namespace orvex {

namespace {

constexpr std::size_t kSectionListSize = 32767;
constexpr std::size_t kKeyBufferSize = 1024;
constexpr std::size_t kAnnouncedKeySize = 500;

std::string completedFileName(const std::string& fileName) {
    return fileName.find('.') == std::string::npos ? fileName + ".INI" : fileName;
}

std::optional<UserMessage> reportOf(const ProfileFile& profile) {
    if (profile.status()) {
        return std::nullopt;
    }
    return UserMessage{profile.status().reason, "ReadINI"};
}

// The key list as ReadINI cuts it: the buffer right-trimmed, then its first `count`
// characters.
std::string keyListText(const ProfileFile& profile, const std::string& section,
                        const char* defaultText, bool& found) {
    std::string buffer(kKeyBufferSize, ' ');
    const std::size_t count = profile.getString(section.c_str(), nullptr, defaultText,
                                                buffer.data(), kAnnouncedKeySize, &found);
    buffer.erase(std::min(buffer.size(), buffer.find_last_not_of(' ') + 1));
    return buffer.substr(0, count);
}

}  // namespace

std::int16_t GetINISectionNames(const std::string& fileName, std::vector<std::string>& sectionNames,
                                FileSystem& files) {
    std::vector<char> buffer(kSectionListSize);
    const std::size_t count =
        ProfileGetString(nullptr, nullptr, "", buffer.data(), buffer.size(),
                         completedFileName(fileName), nullptr, nullptr, files);
    std::string work(buffer.data(), count);
    sectionNames.assign(2, std::string());
    std::size_t index = 0;
    for (std::size_t nul = work.find('\0'); nul != std::string::npos; nul = work.find('\0')) {
        sectionNames.resize(index + 1);
        sectionNames[index] = work.substr(0, nul);
        work.erase(0, nul + 1);
        ++index;
    }
    return static_cast<std::int16_t>(static_cast<int>(index) - 1);
}

IniRead ReadINIEntry(const std::string& fileName, const std::string& section,
                     const std::string& key, const std::optional<std::string>& defaultValue,
                     FileSystem& files) {
    if (!key.empty()) {
        IniReads reads = ReadINIEntries(fileName, {{section, key, defaultValue}}, files);
        IniRead read = std::move(reads.entries.front());
        read.report = std::move(reads.report);
        return read;
    }
    const ProfileFile profile = ProfileFile::Read(completedFileName(fileName), files);
    IniRead read;
    read.value = keyListText(profile, section, defaultValue ? defaultValue->c_str() : nullptr,
                             read.fromFile);
    read.report = reportOf(profile);
    return read;
}

std::string ReadINI(const std::string& fileName, const std::string& section, const std::string& key,
                    const std::optional<std::string>& defaultValue, FileSystem& files) {
    return ReadINIEntry(fileName, section, key, defaultValue, files).value;
}

IniReads ReadINIEntries(const std::string& fileName, const std::vector<IniRequest>& requests,
                        FileSystem& files) {
    const ProfileFile profile = ProfileFile::Read(completedFileName(fileName), files);
    std::vector<IniKey> keys;
    std::vector<const char*> defaults;
    for (const IniRequest& request : requests) {
        keys.push_back({TrimIniBlanks(request.section), TrimIniBlanks(request.key)});
        defaults.push_back(request.defaultValue ? request.defaultValue->c_str() : nullptr);
    }
    IniReads reads;
    for (ProfileFile::Answer& answer : profile.getStrings(keys, defaults, kAnnouncedKeySize)) {
        reads.entries.push_back({std::move(answer.text), answer.found, std::nullopt});
    }
    reads.report = reportOf(profile);
    return reads;
}

Status WriteINI(const std::string& fileName, const std::string& section, const std::string& key,
                const std::string& value, FileSystem& files) {
    return WriteINIValues(fileName, {{section, key, value}}, {}, files);
}

Status WriteINIValues(const std::string& fileName, const std::vector<IniEdit>& writes,
                      const std::vector<IniKey>& mustExist, FileSystem& files) {
    std::vector<IniEdit> edits = writes;
    for (IniEdit& edit : edits) {
        if (edit.value && edit.value->empty()) {
            edit.value.reset();  // an empty value deletes the key
        }
    }
    return ProfileWriteStrings(edits, mustExist, completedFileName(fileName), files);
}

}  // namespace orvex
