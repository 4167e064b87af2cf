#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/file_system.h"

namespace orvex {

// The machine's file system (POSIX calls, or the Win32 ...A calls on Windows), built
// from single system-call steps. Tests derive from it and override a step to fail
// it; the product never does.
class SystemFileSystem : public FileSystem {
  public:
    // Drive letters map through `winePrefix` (a host folder; empty: none).
    explicit SystemFileSystem(std::string winePrefix = {}) : m_winePrefix(std::move(winePrefix)) {}

    // Start-up learns the prefix only from the registry that answered.
    void setWinePrefix(std::string winePrefix) { m_winePrefix = std::move(winePrefix); }
    const std::string& winePrefix() const { return m_winePrefix; }

    std::string hostPath(const std::string& windowsPath) const override;
    FileRead readFile(const std::string& hostPath, std::uint64_t largest) override;
    Status replaceFile(const std::string& hostPath, std::string_view bytes) override;

    // A temporary file of ours whose last write is older than this was left by a
    // save that died; a live save writes its own within moments.
    static constexpr std::chrono::minutes kAbandonedAfter{15};

    // The name of a new temporary file: ".orvex-", six random letters and ".tmp", so
    // that it can never be mistaken for a file of the user's or of another program.
    // Its 17 characters are fewer than any options file's ("player*_options.ini"),
    // so a save works wherever the file's own path fits the system's limit.
    static std::string TemporaryName();
    // Whether `entry` is a temporary file of ours that a save of `fileName` may clear
    // away: a name TemporaryName() gives, or ".<fileName>.orvexcolors-", eight
    // letters and ".tmp", which older versions gave.
    static bool IsTemporaryName(std::string_view entry, const std::string& fileName);

  protected:
    using Handle = std::intptr_t;  // a file descriptor; a HANDLE on Windows
    using Error = int;             // errno; GetLastError() on Windows; 0 for success

    // Creates a new temporary file for writing: unnamed in `folder` where the system
    // can and `named` is false on entry (it gets the name `path` only once complete),
    // otherwise as `path`, which must not exist yet. `named` tells which it made.
    virtual Error createTemporary(const std::string& folder, const std::string& path, Handle& file,
                                  bool& named);
    // The path through which an unnamed temporary file can later be given a name
    // (/proc/self/fd/N); fails where the system offers none, as without /proc.
    virtual Error unnamedLinkPath(Handle file, std::string& link);
    // Writes at most `size` bytes; `written` tells how many were.
    virtual Error writeSome(Handle file, const char* data, std::size_t size, std::size_t& written);
    // Gives the temporary file the permission bits of the file it replaces (on
    // Windows its attributes, set by `path` after the file is closed).
    virtual Error setMode(Handle file, const std::string& path, unsigned long mode);
    virtual Error flushToDisk(Handle file);
    virtual Error renameOver(const std::string& from, const std::string& to);
    // Reads at most `size` bytes; `got` is 0 at the end of the file.
    virtual Error readSome(Handle file, char* data, std::size_t size, std::size_t& got);

  private:
    std::string m_winePrefix;

    // The platform's own read and replace, built from the steps above (one
    // definition per platform); readFile and replaceFile add what no platform may
    // let escape.
    class Platform;
    FileRead readUnguarded(const std::string& hostPath, std::uint64_t largest);
    Status replaceUnguarded(const std::string& hostPath, std::string_view bytes);

    Error writeAll(Handle file, std::string_view bytes);
    // Reads to the end into `bytes`, which holds room for the size the file had
    // when opened; more than `largest` bytes set `tooLarge`.
    Error readToEnd(Handle file, std::uint64_t largest, std::string& bytes, bool& tooLarge);
};

// Why a file of `size` bytes is not read.
std::string TooLargeReason(std::uint64_t size, std::uint64_t largest);

}  // namespace orvex
