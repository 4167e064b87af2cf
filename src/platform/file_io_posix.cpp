#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "file_io.h"
#include "file_io_faults.h"

namespace orvex {

namespace {

std::string osMessage(int error) {
    return std::strerror(error);
}

std::string failure(int error, const char* operation) {
    return osMessage(error) + " (" + operation + ")";
}

// Returns the fault's errno when the test seam wants `step` to fail, else 0.
int injected(faults::ReplaceStep step) {
    const faults::ReplaceFault& fault = faults::CurrentReplaceFault();
    return fault.step == step ? fault.error : 0;
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    void reset() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = -1;
    }

  private:
    int m_fd;
};

// Reads to the end of the file into `buffer` from `length` on, growing it only when
// the file is longer than any read before.
bool readAll(int fd, std::string& buffer, std::size_t& length, int& error) {
    for (;;) {
        if (length == buffer.size()) {
            buffer.resize(std::max<std::size_t>(2 * buffer.size(), 65536));
        }
        const std::size_t space = buffer.size() - length;
        const ssize_t got = ::read(fd, &buffer[length], space);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = errno;
            return false;
        }
        length += static_cast<std::size_t>(got);
        // A regular file reads short only at its end.
        if (static_cast<std::size_t>(got) < space) {
            return true;
        }
    }
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows a chain of symlinks to the file a write must replace; the result may not
// exist yet (a dangling link names the file to create).
bool finalTarget(std::string path, std::string& target, int& error) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            target = path;
            return true;
        }
        std::vector<char> link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
        const ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
        if (length < 0) {
            error = errno;
            return false;
        }
        const std::string to(link.data(), static_cast<std::size_t>(length));
        path = to.front() == '/' ? to : folderOf(path) + "/" + to;
    }
    error = ELOOP;
    return false;
}

mode_t defaultNewFileMode() {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

// What the new content inherits from the file it replaces.
struct Inherited {
    mode_t mode = 0;
    bool keepOwner = false;
    uid_t owner = 0;
    gid_t group = 0;
};

// The permission bits and owner the new content gets, or a refusal for a read-only file.
bool inheritedFrom(const std::string& target, Inherited& inherited, std::string& reason) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) {
        if (errno != ENOENT) {
            reason = failure(errno, "examining the file");
            return false;
        }
        inherited.mode = defaultNewFileMode();
        return true;
    }
    if (!S_ISREG(info.st_mode)) {
        reason = failure(EINVAL, "not a regular file");
        return false;
    }
    // root passes access(W_OK) on any file; a file without write bits still means
    // its owner made it read-only on purpose.
    if (::access(target.c_str(), W_OK) != 0 || (info.st_mode & 0222) == 0) {
        reason = failure(EACCES, "the file is read-only");
        return false;
    }
    inherited = {static_cast<mode_t>(info.st_mode & 07777), true, info.st_uid, info.st_gid};
    return true;
}

int writeAll(int fd, std::string_view bytes) {
    if (const int error = injected(faults::ReplaceStep::Write)) {
        return error;
    }
    const std::size_t limit = faults::CurrentReplaceFault().maxWriteChunk;
    while (!bytes.empty()) {
        const std::size_t chunk = limit > 0 && limit < bytes.size() ? limit : bytes.size();
        const ssize_t written = ::write(fd, bytes.data(), chunk);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0) {
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// Runs `operation` unless the test seam makes `step` fail; returns 0 or the errno.
template <typename Operation>
int runStep(faults::ReplaceStep step, Operation operation) {
    if (const int error = injected(step)) {
        return error;
    }
    return operation() == 0 ? 0 : errno;
}

void syncFolder(const std::string& folder) {
    // Makes the rename durable; some file systems refuse, and the data is safe anyway.
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) {
        ::fsync(dir.get());
    }
}

// Writes the content, gives it the old file's owner and mode, and flushes it;
// `operation` names the step that failed.
int fillAndSync(int fd, const Inherited& inherited, std::string_view bytes,
                const char*& operation) {
    operation = "writing";
    if (const int error = writeAll(fd, bytes)) {
        return error;
    }
    operation = "setting permissions";
    if (inherited.keepOwner) {
        // Best effort: only root may give a file away, and a user's own file needs nothing.
        [[maybe_unused]] const int ignored = ::fchown(fd, inherited.owner, inherited.group);
    }
    if (const int error =
            runStep(faults::ReplaceStep::Chmod, [&] { return ::fchmod(fd, inherited.mode); })) {
        return error;
    }
    operation = "flushing to disk";
    return runStep(faults::ReplaceStep::Sync, [&] { return ::fsync(fd); });
}

std::string randomSuffix() {
    static std::mt19937 random(std::random_device{}());
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
    std::string suffix(6, ' ');
    for (char& c : suffix) {
        c = letters[pick(random)];
    }
    return suffix;
}

// Fills an unnamed file (O_TMPFILE) and only then gives it the name `tempName`, so
// that a process killed while writing or flushing leaves nothing in the folder.
// Returns the errno of a real failure, 0 on success; `unsupported` when the file
// system or a missing /proc rules this out and a named temporary file must do.
int writeUnnamedTemporary(const std::string& folder, const std::string& stem,
                          const Inherited& inherited, std::string_view bytes, std::string& tempName,
                          const char*& operation, bool& unsupported) {
    unsupported = true;
#ifdef O_TMPFILE
    FileDescriptor fd(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (fd.get() < 0) {
        unsupported = errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL;
        return unsupported ? 0 : errno;
    }
    unsupported = false;
    if (const int error = fillAndSync(fd.get(), inherited, bytes, operation)) {
        return error;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(fd.get());
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = stem + randomSuffix();
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, tempName.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            return 0;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    unsupported = true;
#else
    static_cast<void>(folder), static_cast<void>(stem), static_cast<void>(inherited);
    static_cast<void>(bytes), static_cast<void>(tempName), static_cast<void>(operation);
#endif
    return 0;
}

// Removes the temporary files "<stem>XXXXXX" that saves killed at the wrong moment
// left in the folder. A save of the same file running at this moment in another
// process would lose its temporary file and report that; nothing else is touched.
void removeStaleTemporaries(const std::string& folder, const std::string& stem) {
    const std::string prefix = stem.substr(folder.size() + 1);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

// Writes `bytes` into a new temporary file beside `target` and renames it over
// `target`. The temporary file is gone afterwards whatever happens.
bool writeThroughTemporary(const std::string& target, const Inherited& inherited,
                           std::string_view bytes, std::string& reason) {
    const std::string folder = folderOf(target);
    const std::string stem = folder + "/." + nameOf(target) + ".";
    std::string tempName;
    const char* operation = "creating a temporary file";
    bool unsupported = false;
    int error = injected(faults::ReplaceStep::OpenTemp);
    if (error == 0) {
        error =
            writeUnnamedTemporary(folder, stem, inherited, bytes, tempName, operation, unsupported);
    }
    if (error == 0 && unsupported) {
        tempName = stem + "XXXXXX";
        operation = "creating a temporary file";
        FileDescriptor fd(::mkstemp(tempName.data()));
        error = fd.get() < 0 ? errno : fillAndSync(fd.get(), inherited, bytes, operation);
        if (error == 0) {
            operation = "closing";
            error = ::close(fd.release()) == 0 ? 0 : errno;
        } else if (fd.get() < 0) {
            tempName.clear();
        }
    }
    if (error == 0) {
        operation = "replacing the file";
        error = runStep(faults::ReplaceStep::Rename,
                        [&] { return ::rename(tempName.c_str(), target.c_str()); });
    }
    if (error != 0) {
        if (!tempName.empty()) {
            ::unlink(tempName.c_str());
        }
        reason = failure(error, operation);
        return false;
    }
    removeStaleTemporaries(folder, stem);
    syncFolder(folder);
    return true;
}

}  // namespace

FileReadResult::Status ReadFileInto(const std::string& hostPath, std::string& buffer,
                                    std::size_t& length, std::string& reason) {
    length = 0;
    if (hostPath.empty()) {
        return FileReadResult::Status::NotFound;
    }
    // O_NONBLOCK: a FIFO given as an INI file must not hang the window.
    FileDescriptor fd(::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    int error = 0;
    struct stat info {};
    if (fd.get() < 0) {
        error = errno;
    } else if (::fstat(fd.get(), &info) != 0) {
        error = errno;
    } else if (!S_ISREG(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    } else {
        // One byte more than the file holds: one short read() then takes it all.
        const std::size_t expected = static_cast<std::size_t>(info.st_size) + 1;
        if (buffer.size() < expected) {
            buffer.resize(expected);
        }
        if (!readAll(fd.get(), buffer, length, error)) {
            length = 0;
        }
    }
    if (error == 0) {
        return FileReadResult::Status::Ok;
    }
    if (error == ENOENT || error == ENOTDIR) {
        return FileReadResult::Status::NotFound;
    }
    reason = osMessage(error);
    return FileReadResult::Status::Failed;
}

FileReadResult ReadFileBytes(const std::string& hostPath) {
    FileReadResult result;
    std::size_t length = 0;
    result.status = ReadFileInto(hostPath, result.bytes, length, result.reason);
    result.bytes.resize(length);
    return result;
}

FileWriteResult ReplaceFileBytes(const std::string& hostPath, std::string_view bytes) {
    FileWriteResult result;
    if (hostPath.empty()) {
        result.reason = osMessage(ENOENT);
        return result;
    }
    std::string target;
    int error = 0;
    if (!finalTarget(hostPath, target, error)) {
        result.reason = failure(error, "following a link");
        return result;
    }
    Inherited inherited;
    if (!inheritedFrom(target, inherited, result.reason)) {
        return result;
    }
    result.ok = writeThroughTemporary(target, inherited, bytes, result.reason);
    return result;
}

}  // namespace orvex
