#include "profile.h"

#include <vector>

#include "platform/messages.h"

namespace orvex {

namespace {

constexpr std::size_t kSectionListSize = 32767;
constexpr std::size_t kKeyBufferSize = 1024;
constexpr std::size_t kAnnouncedKeySize = 500;

std::string completedFileName(const std::string& fileName) {
    return fileName.find('.') == std::string::npos ? fileName + ".INI" : fileName;
}

bool hasNul(const std::string& text) {
    return text.find('\0') != std::string::npos;
}

std::string rightTrimmedSpaces(std::string text) {
    const std::size_t last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
    return text;
}

}  // namespace

std::int16_t GetINISectionNames(const std::string& fileName,
                                std::vector<std::string>& sectionNames) {
    std::vector<char> buffer(kSectionListSize);
    const std::size_t count = ProfileGetString(nullptr, nullptr, "", buffer.data(), buffer.size(),
                                               completedFileName(fileName));
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
                     FileSystem& fileSystem) {
    const std::string file = completedFileName(fileName);
    std::string buffer(kKeyBufferSize, ' ');
    ProfileStatus status;
    bool found = false;
    const char* defaultText = defaultValue ? defaultValue->c_str() : nullptr;
    const std::size_t count =
        ProfileGetString(section.c_str(), key.empty() ? nullptr : key.c_str(), defaultText,
                         buffer.data(), kAnnouncedKeySize, file, &status, &found, fileSystem);
    if (!status.ok) {
        ShowMessage(status.reason, "ReadINI");
    }
    const std::string trimmedBuffer = rightTrimmedSpaces(buffer);
    IniRead result;
    result.fromFile = found;
    if (key.empty()) {
        result.value = trimmedBuffer.substr(0, count);
    } else {
        result.value = trimmedBuffer.substr(0, trimmedBuffer.find('\0'));
    }
    return result;
}

std::string ReadINI(const std::string& fileName, const std::string& section, const std::string& key,
                    const std::optional<std::string>& defaultValue, FileSystem& fileSystem) {
    return ReadINIEntry(fileName, section, key, defaultValue, fileSystem).value;
}

ProfileStatus WriteINI(const std::string& fileName, const std::string& section,
                       const std::string& key, const std::string& value, FileSystem& fileSystem) {
    const std::string file = completedFileName(fileName);
    if (hasNul(section) || hasNul(key) || hasNul(value)) {
        return {false, "Cannot write " + file + ": a name or the value contains a NUL character"};
    }
    return ProfileWriteString(section.c_str(), key.c_str(), value.empty() ? nullptr : value.c_str(),
                              file, fileSystem);
}

}  // namespace orvex
