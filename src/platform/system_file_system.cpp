#include "system_file_system.h"

#include <algorithm>
#include <new>
#include <random>
#include <stdexcept>

#include "host_path.h"

namespace orvex {

namespace {

constexpr std::string_view kTemporaryStart = ".orvex-";
constexpr std::size_t kTemporaryLetters = 6;
// Older versions named the temporary file after the file: ".<name>" + this + letters.
constexpr std::string_view kOldTemporaryTag = ".orvexcolors-";
constexpr std::size_t kOldTemporaryLetters = 8;
constexpr std::string_view kTemporaryEnd = ".tmp";
constexpr std::string_view kLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// Whether `entry` is `start`, `letters` random letters and ".tmp".
bool isNamed(std::string_view entry, std::string_view start, std::size_t letters) {
    return entry.size() == start.size() + letters + kTemporaryEnd.size() &&
           entry.substr(0, start.size()) == start &&
           entry.substr(start.size(), letters).find_first_not_of(kLetters) ==
               std::string_view::npos &&
           entry.substr(start.size() + letters) == kTemporaryEnd;
}

}  // namespace

std::string SystemFileSystem::TemporaryName() {
    // Seeded afresh each time: processes forked from one another must not repeat
    // each other's names.
    std::random_device device;
    std::mt19937 random(device());
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string name(kTemporaryStart);
    for (std::size_t i = 0; i < kTemporaryLetters; ++i) {
        name += kLetters[pick(random)];
    }
    return name + std::string(kTemporaryEnd);
}

bool SystemFileSystem::IsTemporaryName(std::string_view entry, const std::string& fileName) {
    return isNamed(entry, kTemporaryStart, kTemporaryLetters) ||
           isNamed(entry, "." + fileName + std::string(kOldTemporaryTag), kOldTemporaryLetters);
}

std::string TooLargeReason(std::uint64_t size, std::uint64_t largest) {
    return "the file is " + std::to_string(size) + " bytes long, more than the " +
           std::to_string(largest) + " bytes this tool reads";
}

SystemFileSystem::Error SystemFileSystem::writeAll(Handle file, std::string_view bytes) {
    while (!bytes.empty()) {
        std::size_t written = 0;
        if (const Error error = writeSome(file, bytes.data(), bytes.size(), written)) {
            return error;
        }
        bytes.remove_prefix(written);
    }
    return 0;
}

SystemFileSystem::Error SystemFileSystem::readToEnd(Handle file, std::uint64_t largest,
                                                    std::string& bytes, bool& tooLarge) {
    std::size_t length = 0;
    tooLarge = false;
    for (;;) {
        if (length == bytes.size()) {
            // The file grew since it was opened; it may grow only up to the limit.
            if (length > largest) {
                tooLarge = true;
                return 0;
            }
            const std::uint64_t grown = std::max<std::uint64_t>(2 * bytes.size(), 65536);
            bytes.resize(static_cast<std::size_t>(std::min(grown, largest + 1)));
        }
        std::size_t got = 0;
        if (const Error error = readSome(file, &bytes[length], bytes.size() - length, got)) {
            bytes.clear();
            return error;
        }
        if (got == 0) {
            bytes.resize(length);
            return 0;
        }
        length += got;
    }
}

FileRead SystemFileSystem::readFile(const std::string& hostPath, std::uint64_t largest) {
    try {
        return readUnguarded(hostPath, largest);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return {FileRead::Kind::Failed, {}, "there is not enough memory to read the file"};
}

Status SystemFileSystem::replaceFile(const std::string& hostPath, std::string_view bytes) {
    try {
        return replaceUnguarded(hostPath, bytes);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return Status::Failure("there is not enough memory to write the file");
}

std::string FileSystem::hostPath(const std::string& windowsPath) const {
    return HostPath(windowsPath, {});
}

std::string SystemFileSystem::hostPath(const std::string& windowsPath) const {
    return HostPath(windowsPath, m_winePrefix);
}

}  // namespace orvex
