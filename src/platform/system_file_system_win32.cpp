#include <windows.h>

#include <chrono>
#include <string>

#include "system_file_system.h"
#include "win32_error.h"

namespace orvex {

namespace {

std::string failure(DWORD error, const char* operation) {
    return Win32ErrorText(error) + " (" + operation + ")";
}

HANDLE toHandle(std::intptr_t file) {
    return reinterpret_cast<HANDLE>(file);
}

class OwnedHandle {
  public:
    explicit OwnedHandle(HANDLE handle = INVALID_HANDLE_VALUE) : m_handle(handle) {}
    ~OwnedHandle() { close(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    HANDLE get() const { return m_handle; }
    void set(HANDLE handle) { m_handle = handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    bool close() {
        const bool closed = !valid() || CloseHandle(m_handle) != 0;
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE m_handle;
};

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The read-only attribute of an existing file; a missing file is writable.
bool isReadOnly(const std::string& path, DWORD& attributes) {
    attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Refused for lack of rights: most often a game folder under Program Files.
std::string rightsHint(DWORD error) {
    if (error != ERROR_ACCESS_DENIED) {
        return {};
    }
    return ". Windows lets only administrators change files in this folder: run this tool as "
           "administrator, or start the game and change an option in it once, so that the "
           "game keeps its own copy in %LOCALAPPDATA%\\VirtualStore, which this tool then "
           "edits";
}

bool abandoned(const FILETIME& written) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    // FILETIME counts 100 ns steps.
    const std::uint64_t age = ticks(now) - ticks(written);
    const auto limit =
        std::chrono::duration_cast<std::chrono::nanoseconds>(SystemFileSystem::kAbandonedAfter)
            .count() /
        100;
    return ticks(now) > ticks(written) && age > static_cast<std::uint64_t>(limit);
}

// Removes the temporary files of `fileName` that saves which died left behind.
// Only names of ours qualify, and only once no live save can be writing them.
void removeAbandonedTemporaries(const std::string& folder, const std::string& fileName) {
    WIN32_FIND_DATAA found{};
    // Both forms of our names end so; a pattern no longer than the file's own path.
    const std::string pattern = folder + "\\*.tmp";
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if (SystemFileSystem::IsTemporaryName(found.cFileName, fileName) &&
            (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            abandoned(found.ftLastWriteTime)) {
            DeleteFileA((folder + "\\" + found.cFileName).c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

class SystemFileSystem::Platform {
  public:
    // A replace in progress: the temporary file and how far it got.
    struct Temporary {
        OwnedHandle file;
        std::string path;
        bool created = false;  // the file at `path` is ours to remove
        const char* operation = "creating a temporary file";

        Temporary() = default;
        Temporary(const Temporary&) = delete;
        Temporary& operator=(const Temporary&) = delete;
        // Whatever went wrong, even an exception, no temporary file is left.
        ~Temporary() {
            file.close();
            if (created) {
                DeleteFileA(path.c_str());
            }
        }
    };

    static Error create(SystemFileSystem& steps, const std::string& target, Temporary& temp) {
        const std::string folder = folderOf(target);
        Error error = ERROR_FILE_EXISTS;
        for (int attempt = 0;
             attempt < 100 && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS);
             ++attempt) {
            temp.path = folder + "\\" + TemporaryName();
            std::intptr_t handle = 0;
            bool named = true;
            error = steps.createTemporary(folder, temp.path, handle, named);
            temp.file.set(error == 0 ? toHandle(handle) : INVALID_HANDLE_VALUE);
        }
        temp.created = error == 0;
        return error;
    }

    static Error write(SystemFileSystem& steps, const std::string& target, DWORD attributes,
                       std::string_view bytes, Temporary& temp) {
        if (const Error error = create(steps, target, temp)) {
            return error;
        }
        const auto handle = reinterpret_cast<std::intptr_t>(temp.file.get());
        temp.operation = "writing";
        if (const Error error = steps.writeAll(handle, bytes)) {
            return error;
        }
        temp.operation = "flushing to disk";
        if (const Error error = steps.flushToDisk(handle)) {
            return error;
        }
        temp.operation = "closing";
        if (!temp.file.close()) {
            return static_cast<Error>(GetLastError());
        }
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            // The old file's attributes (hidden, archive...) go to the new content.
            temp.operation = "setting permissions";
            if (const Error error = steps.setMode(0, temp.path, attributes)) {
                return error;
            }
        }
        temp.operation = "replacing the file";
        const Error error = steps.renameOver(temp.path, target);
        temp.created = error != 0;
        return error;
    }

    static Status replace(SystemFileSystem& steps, const std::string& target,
                          std::string_view bytes) {
        DWORD attributes = 0;
        if (isReadOnly(target, attributes)) {
            return Status::Failure(failure(ERROR_ACCESS_DENIED, "the file is read-only"));
        }
        Temporary temp;
        if (const Error error = write(steps, target, attributes, bytes, temp)) {
            const auto code = static_cast<DWORD>(error);
            return Status::Failure(Win32ErrorText(code) + rightsHint(code) + " (" + temp.operation +
                                   ")");
        }
        removeAbandonedTemporaries(folderOf(target), nameOf(target));
        return Status::Success();
    }

    static FileRead readOpen(SystemFileSystem& steps, HANDLE file, std::uint64_t largest) {
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file, &size)) {
            return {FileRead::Kind::Failed, {}, Win32ErrorText(GetLastError())};
        }
        const auto length = static_cast<std::uint64_t>(size.QuadPart);
        if (length > largest) {
            return {FileRead::Kind::Failed, {}, TooLargeReason(length, largest)};
        }
        FileRead read{FileRead::Kind::Ok, {}, {}};
        // One byte more than the file holds: the end is then found without growing.
        read.bytes.resize(static_cast<std::size_t>(length) + 1);
        bool tooLarge = false;
        const auto handle = reinterpret_cast<std::intptr_t>(file);
        if (const Error error = steps.readToEnd(handle, largest, read.bytes, tooLarge)) {
            return {FileRead::Kind::Failed, {}, Win32ErrorText(static_cast<DWORD>(error))};
        }
        if (tooLarge) {
            return {FileRead::Kind::Failed, {}, TooLargeReason(read.bytes.size(), largest)};
        }
        return read;
    }
};

FileRead SystemFileSystem::readUnguarded(const std::string& hostPath, std::uint64_t largest) {
    OwnedHandle file(CreateFileA(hostPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.valid()) {
        return Platform::readOpen(*this, file.get(), largest);
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
        error == ERROR_INVALID_NAME) {
        return {};
    }
    return {FileRead::Kind::Failed, {}, Win32ErrorText(error)};
}

Status SystemFileSystem::replaceUnguarded(const std::string& hostPath, std::string_view bytes) {
    return Platform::replace(*this, hostPath, bytes);
}

SystemFileSystem::Error SystemFileSystem::createTemporary(const std::string&,
                                                          const std::string& path, Handle& file,
                                                          bool& named) {
    named = true;
    const HANDLE created = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    file = reinterpret_cast<Handle>(created);
    return created != INVALID_HANDLE_VALUE ? 0 : static_cast<Error>(GetLastError());
}

SystemFileSystem::Error SystemFileSystem::unnamedLinkPath(Handle, std::string&) {
    return ERROR_NOT_SUPPORTED;  // every temporary file here is named
}

SystemFileSystem::Error SystemFileSystem::writeSome(Handle file, const char* data, std::size_t size,
                                                    std::size_t& written) {
    const DWORD piece = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD done = 0;
    if (!WriteFile(toHandle(file), data, piece, &done, nullptr)) {
        return static_cast<Error>(GetLastError());
    }
    written = done;
    return 0;
}

SystemFileSystem::Error SystemFileSystem::setMode(Handle, const std::string& path,
                                                  unsigned long mode) {
    return SetFileAttributesA(path.c_str(), mode) ? 0 : static_cast<Error>(GetLastError());
}

SystemFileSystem::Error SystemFileSystem::flushToDisk(Handle file) {
    return FlushFileBuffers(toHandle(file)) ? 0 : static_cast<Error>(GetLastError());
}

SystemFileSystem::Error SystemFileSystem::renameOver(const std::string& from,
                                                     const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : static_cast<Error>(GetLastError());
}

SystemFileSystem::Error SystemFileSystem::readSome(Handle file, char* data, std::size_t size,
                                                   std::size_t& got) {
    const DWORD piece = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD done = 0;
    if (!ReadFile(toHandle(file), data, piece, &done, nullptr)) {
        return static_cast<Error>(GetLastError());
    }
    got = done;
    return 0;
}

}  // namespace orvex
