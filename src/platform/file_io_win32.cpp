#include <windows.h>

#include <string>

#include "file_io.h"
#include "file_io_faults.h"
#include "win32_error.h"

namespace orvex {

namespace {

std::string failure(DWORD error, const char* operation) {
    return Win32ErrorText(error) + " (" + operation + ")";
}

DWORD injected(faults::ReplaceStep step) {
    const faults::ReplaceFault& fault = faults::CurrentReplaceFault();
    return fault.step == step ? static_cast<DWORD>(fault.error) : 0;
}

class Handle {
  public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() { reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    bool close() {
        const bool closed = !valid() || CloseHandle(m_handle) != 0;
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }
    void reset() { close(); }

  private:
    HANDLE m_handle;
};

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

DWORD writeAll(HANDLE file, std::string_view bytes) {
    if (const DWORD error = injected(faults::ReplaceStep::Write)) {
        return error;
    }
    const std::size_t limit = faults::CurrentReplaceFault().maxWriteChunk;
    while (!bytes.empty()) {
        std::size_t chunk = limit > 0 && limit < bytes.size() ? limit : bytes.size();
        if (chunk > 0x40000000) {
            chunk = 0x40000000;
        }
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), static_cast<DWORD>(chunk), &written, nullptr)) {
            return GetLastError();
        }
        bytes.remove_prefix(written);
    }
    return 0;
}

// Runs `operation` unless the test seam makes `step` fail; returns 0 or the error.
template <typename Operation>
DWORD runStep(faults::ReplaceStep step, Operation operation) {
    if (const DWORD error = injected(step)) {
        return error;
    }
    return operation() ? 0 : GetLastError();
}

// The read-only attribute of an existing file; a missing file is writable.
bool isReadOnly(const std::string& path, DWORD& attributes) {
    attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

}  // namespace

FileReadResult ReadFileBytes(const std::string& hostPath) {
    FileReadResult result;
    Handle file(CreateFileA(hostPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
            error == ERROR_INVALID_NAME) {
            return result;
        }
        result.status = FileReadResult::Status::Failed;
        result.reason = Win32ErrorText(error);
        return result;
    }
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) {
            result.status = FileReadResult::Status::Failed;
            result.reason = Win32ErrorText(GetLastError());
            result.bytes.clear();
            return result;
        }
        if (got == 0) {
            break;
        }
        result.bytes.append(chunk, got);
    }
    result.status = FileReadResult::Status::Ok;
    return result;
}

FileWriteResult ReplaceFileBytes(const std::string& hostPath, std::string_view bytes) {
    FileWriteResult result;
    DWORD attributes = 0;
    if (isReadOnly(hostPath, attributes)) {
        result.reason = failure(ERROR_ACCESS_DENIED, "the file is read-only");
        return result;
    }
    char tempName[MAX_PATH + 1] = {};
    DWORD error = injected(faults::ReplaceStep::OpenTemp);
    if (error == 0 && GetTempFileNameA(folderOf(hostPath).c_str(), "ini", 0, tempName) == 0) {
        // A missing folder comes back as "directory name invalid"; say what it is.
        error = GetLastError();
        if (GetFileAttributesA(folderOf(hostPath).c_str()) == INVALID_FILE_ATTRIBUTES) {
            error = ERROR_PATH_NOT_FOUND;
        }
    }
    if (error != 0) {
        result.reason = failure(error, "creating a temporary file");
        return result;
    }
    Handle temp(CreateFileA(tempName, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    const char* operation = "creating a temporary file";
    error = temp.valid() ? 0 : GetLastError();
    if (error == 0) {
        operation = "writing";
        error = writeAll(temp.get(), bytes);
    }
    if (error == 0) {
        operation = "flushing to disk";
        error = runStep(faults::ReplaceStep::Sync, [&] { return FlushFileBuffers(temp.get()); });
    }
    if (error == 0) {
        operation = "closing";
        error = temp.close() ? 0 : GetLastError();
    }
    if (error == 0 && attributes != INVALID_FILE_ATTRIBUTES) {
        // The old file's attributes (hidden, archive...) go to the new content.
        operation = "setting permissions";
        error = runStep(faults::ReplaceStep::Chmod,
                        [&] { return SetFileAttributesA(tempName, attributes); });
    }
    if (error == 0) {
        operation = "replacing the file";
        error = runStep(faults::ReplaceStep::Rename, [&] {
            return MoveFileExA(tempName, hostPath.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        });
    }
    if (error != 0) {
        temp.reset();
        DeleteFileA(tempName);
        result.reason = failure(error, operation);
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace orvex

namespace orvex {

FileReadResult::Status ReadFileInto(const std::string& hostPath, std::string& buffer,
                                    std::size_t& length, std::string& reason) {
    FileReadResult read = ReadFileBytes(hostPath);
    length = read.bytes.size();
    if (buffer.size() < length) {
        buffer.resize(length);
    }
    buffer.replace(0, length, read.bytes);
    reason = std::move(read.reason);
    return read.status;
}

}  // namespace orvex
