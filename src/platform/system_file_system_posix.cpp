#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "system_file_system.h"

namespace orvex {

namespace {

std::string osMessage(int error) {
    return std::strerror(error);
}

std::string failure(int error, const char* operation) {
    return osMessage(error) + " (" + operation + ")";
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    int* out() { return &m_fd; }
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

// Why an existing regular file must not be replaced; empty when it may be.
std::string writeRefusal(const std::string& target, const struct stat& info) {
    if (::access(target.c_str(), W_OK) != 0) {
        // The system's own reason: a read-only mount or an immutable file is not a
        // question of permission bits.
        const int error = errno;
        return error == EACCES ? failure(error, "the file is read-only")
                               : failure(error, "the file cannot be written");
    }
    // root passes access(W_OK) on any file; a file without write bits still means
    // its owner made it read-only on purpose.
    if ((info.st_mode & 0222) == 0) {
        return failure(EACCES, "the file is read-only");
    }
    return {};
}

// The permission bits and owner the new content gets, or a refusal.
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
    reason = writeRefusal(target, info);
    if (!reason.empty()) {
        return false;
    }
    inherited = {static_cast<mode_t>(info.st_mode & 07777), true, info.st_uid, info.st_gid};
    return true;
}

void syncFolder(const std::string& folder) {
    // Makes the rename durable; some file systems refuse, and the data is safe anyway.
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) {
        ::fsync(dir.get());
    }
}

bool abandoned(const struct stat& info) {
    const auto age =
        std::chrono::system_clock::now() - std::chrono::system_clock::from_time_t(info.st_mtime);
    return S_ISREG(info.st_mode) && age > SystemFileSystem::kAbandonedAfter;
}

// Removes the temporary files of `fileName` that saves which died left behind.
// Only names of ours qualify, and only once no live save can be writing them.
void removeAbandonedTemporaries(const std::string& folder, const std::string& fileName) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        struct stat info {};
        if (SystemFileSystem::IsTemporaryName(entry->d_name, fileName) &&
            ::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            abandoned(info)) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

}  // namespace

class SystemFileSystem::Platform {
  public:
    // A replace in progress: the temporary file and how far it got.
    struct Temporary {
        std::string folder;
        FileDescriptor fd;
        std::string path;
        std::string link;  // by which an unnamed file gets `path` once complete
        bool named = false;
        bool ownsPath = false;  // the file at `path` is ours to remove
        const char* operation = "creating a temporary file";

        Temporary() = default;
        Temporary(const Temporary&) = delete;
        Temporary& operator=(const Temporary&) = delete;
        // Whatever went wrong, even an exception, no temporary file is left.
        ~Temporary() {
            if (ownsPath) {
                ::unlink(path.c_str());
            }
        }
        void chooseName() { path = folder + "/" + TemporaryName(); }
    };

    static Error create(SystemFileSystem& steps, Temporary& temp, bool needName) {
        temp.operation = "creating a temporary file";
        Error error = EEXIST;
        for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
            temp.chooseName();
            temp.named = needName;
            Handle handle = -1;
            error = steps.createTemporary(temp.folder, temp.path, handle, temp.named);
            *temp.fd.out() = error == 0 ? static_cast<int>(handle) : -1;
        }
        temp.ownsPath = error == 0 && temp.named;
        return error;
    }

    // Writes the content, gives it the old file's owner and mode, and flushes it.
    static Error fill(SystemFileSystem& steps, Temporary& temp, const Inherited& inherited,
                      std::string_view bytes) {
        temp.operation = "writing";
        if (const Error error = steps.writeAll(temp.fd.get(), bytes)) {
            return error;
        }
        temp.operation = "setting permissions";
        if (inherited.keepOwner) {
            // Best effort: only root may give a file away, and a user's own file needs nothing.
            [[maybe_unused]] const int ignored =
                ::fchown(temp.fd.get(), inherited.owner, inherited.group);
        }
        if (const Error error = steps.setMode(temp.fd.get(), temp.path, inherited.mode)) {
            return error;
        }
        temp.operation = "flushing to disk";
        return steps.flushToDisk(temp.fd.get());
    }

    // Gives an unnamed temporary file its name, only now that it is complete, so
    // that a process killed while writing or flushing leaves nothing behind.
    static Error name(Temporary& temp) {
        temp.operation = "naming the temporary file";
        for (int attempt = 0; attempt < 100; ++attempt) {
            if (::linkat(AT_FDCWD, temp.link.c_str(), AT_FDCWD, temp.path.c_str(),
                         AT_SYMLINK_FOLLOW) == 0) {
                temp.named = true;
                temp.ownsPath = true;
                return 0;
            }
            if (errno != EEXIST) {
                return errno;
            }
            temp.chooseName();
        }
        return EEXIST;
    }

    // An unnamed temporary file where it can be named later, otherwise a named one:
    // decided before anything is written, so that the content is written once.
    static Error createNameable(SystemFileSystem& steps, Temporary& temp) {
        if (const Error error = create(steps, temp, false)) {
            return error;
        }
        if (temp.named || steps.unnamedLinkPath(temp.fd.get(), temp.link) == 0) {
            return 0;
        }
        temp.fd.reset();
        return create(steps, temp, true);
    }

    static Error createAndFill(SystemFileSystem& steps, Temporary& temp, const Inherited& inherited,
                               std::string_view bytes) {
        Error error = createNameable(steps, temp);
        error = error != 0 ? error : fill(steps, temp, inherited, bytes);
        if (error != 0 || temp.named || name(temp) == 0) {
            return error;
        }
        // Naming failed although /proc is there: a named file still saves the content.
        temp.fd.reset();
        error = create(steps, temp, true);
        return error != 0 ? error : fill(steps, temp, inherited, bytes);
    }

    static Error write(SystemFileSystem& steps, const std::string& target,
                       const Inherited& inherited, std::string_view bytes, Temporary& temp) {
        temp.folder = folderOf(target);
        if (const Error error = createAndFill(steps, temp, inherited, bytes)) {
            return error;
        }
        temp.operation = "closing";
        if (::close(temp.fd.release()) != 0) {
            return errno;
        }
        temp.operation = "replacing the file";
        const Error error = steps.renameOver(temp.path, target);
        temp.ownsPath = error != 0;
        return error;
    }

    // Writes `bytes` into a new temporary file beside `target` and renames it over
    // `target`. The temporary file is gone afterwards whatever happens.
    static Status writeThroughTemporary(SystemFileSystem& steps, const std::string& target,
                                        const Inherited& inherited, std::string_view bytes) {
        Temporary temp;
        if (const Error error = write(steps, target, inherited, bytes, temp)) {
            return Status::Failure(failure(error, temp.operation));
        }
        removeAbandonedTemporaries(folderOf(target), nameOf(target));
        syncFolder(folderOf(target));
        return Status::Success();
    }

    static FileRead readOpen(SystemFileSystem& steps, int fd, std::uint64_t largest) {
        struct stat info {};
        if (::fstat(fd, &info) != 0) {
            return {FileRead::Kind::Failed, {}, osMessage(errno)};
        }
        if (!S_ISREG(info.st_mode)) {
            return {FileRead::Kind::Failed,
                    {},
                    S_ISDIR(info.st_mode) ? osMessage(EISDIR) : "it is not a regular file"};
        }
        const auto size = static_cast<std::uint64_t>(info.st_size);
        if (size > largest) {
            return {FileRead::Kind::Failed, {}, TooLargeReason(size, largest)};
        }
        FileRead read{FileRead::Kind::Ok, {}, {}};
        // One byte more than the file holds: the end is then found without growing.
        read.bytes.resize(static_cast<std::size_t>(size) + 1);
        bool tooLarge = false;
        if (const Error error = steps.readToEnd(fd, largest, read.bytes, tooLarge)) {
            return {FileRead::Kind::Failed, {}, osMessage(error)};
        }
        if (tooLarge) {
            return {FileRead::Kind::Failed, {}, TooLargeReason(read.bytes.size(), largest)};
        }
        return read;
    }
};

FileRead SystemFileSystem::readUnguarded(const std::string& hostPath, std::uint64_t largest) {
    if (hostPath.empty()) {
        return {};
    }
    // O_NONBLOCK: a FIFO given as an INI file must not hang the window.
    FileDescriptor fd(::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() >= 0) {
        return Platform::readOpen(*this, fd.get(), largest);
    }
    if (errno == ENOENT || errno == ENOTDIR) {
        return {};
    }
    return {FileRead::Kind::Failed, {}, osMessage(errno)};
}

Status SystemFileSystem::replaceUnguarded(const std::string& hostPath, std::string_view bytes) {
    if (hostPath.empty()) {
        return Status::Failure(osMessage(ENOENT));
    }
    std::string target;
    int error = 0;
    if (!finalTarget(hostPath, target, error)) {
        return Status::Failure(failure(error, "following a link"));
    }
    Inherited inherited;
    std::string reason;
    if (!inheritedFrom(target, inherited, reason)) {
        return Status::Failure(reason);
    }
    return Platform::writeThroughTemporary(*this, target, inherited, bytes);
}

SystemFileSystem::Error SystemFileSystem::createTemporary(const std::string& folder,
                                                          const std::string& path, Handle& file,
                                                          bool& named) {
#ifdef O_TMPFILE
    if (!named) {
        file = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (file >= 0) {
            return 0;
        }
        // Only a file system without unnamed files falls back to a named one.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            return errno;
        }
    }
#else
    static_cast<void>(folder);
#endif
    named = true;
    file = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    return file >= 0 ? 0 : errno;
}

SystemFileSystem::Error SystemFileSystem::unnamedLinkPath(Handle file, std::string& link) {
    link = "/proc/self/fd/" + std::to_string(file);
    struct stat info {};
    return ::lstat(link.c_str(), &info) == 0 ? 0 : errno;
}

SystemFileSystem::Error SystemFileSystem::writeSome(Handle file, const char* data, std::size_t size,
                                                    std::size_t& written) {
    for (;;) {
        const ssize_t done = ::write(static_cast<int>(file), data, size);
        if (done >= 0) {
            written = static_cast<std::size_t>(done);
            return 0;
        }
        if (errno != EINTR) {
            return errno;
        }
    }
}

SystemFileSystem::Error SystemFileSystem::setMode(Handle file, const std::string&,
                                                  unsigned long mode) {
    return ::fchmod(static_cast<int>(file), static_cast<mode_t>(mode)) == 0 ? 0 : errno;
}

SystemFileSystem::Error SystemFileSystem::flushToDisk(Handle file) {
    return ::fsync(static_cast<int>(file)) == 0 ? 0 : errno;
}

SystemFileSystem::Error SystemFileSystem::renameOver(const std::string& from,
                                                     const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

SystemFileSystem::Error SystemFileSystem::readSome(Handle file, char* data, std::size_t size,
                                                   std::size_t& got) {
    for (;;) {
        const ssize_t done = ::read(static_cast<int>(file), data, size);
        if (done >= 0) {
            got = static_cast<std::size_t>(done);
            return 0;
        }
        if (errno != EINTR) {
            return errno;
        }
    }
}

}  // namespace orvex
