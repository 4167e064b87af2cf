#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <utility>

#include "platform/system_file_system.h"

namespace orvex::test {

// The machine's file system with chosen steps failing, so that every error path of
// a read or a replace can be reached without a broken disk: from the n-th call of a
// step on, that step fails with the given error code (errno; a Win32 code on
// Windows) without being made. Writes can also be cut into short pieces.
class FailingFileSystem : public SystemFileSystem {
  public:
    enum class Step { CreateTemporary, UnnamedLink, Write, SetMode, Flush, Rename, Read, Count };

    // Calls of `step` from the `nth` on (counting from 1, made or not) fail with `error`.
    void failFrom(Step step, int error, int nth = 1);
    // Each write call writes at most `bytes` (0: no limit).
    void limitWrites(std::size_t bytes) { m_writeLimit = bytes; }
    // How many times `step` was called.
    int calls(Step step) const { return m_steps[index(step)].calls; }
    // Runs `hook` at every step call, before the step is made or failed: a child
    // process can tell its parent where a save has got to, or stop there.
    void beforeEachStep(std::function<void(Step)> hook) { m_beforeStep = std::move(hook); }

  protected:
    Error createTemporary(const std::string& folder, const std::string& path, Handle& file,
                          bool& named) override;
    Error unnamedLinkPath(Handle file, std::string& link) override;
    Error writeSome(Handle file, const char* data, std::size_t size, std::size_t& written) override;
    Error setMode(Handle file, const std::string& path, unsigned long mode) override;
    Error flushToDisk(Handle file) override;
    Error renameOver(const std::string& from, const std::string& to) override;
    Error readSome(Handle file, char* data, std::size_t size, std::size_t& got) override;

  private:
    struct StepState {
        int calls = 0;
        int failFrom = 0;  // 0: never
        int error = 0;
    };
    static std::size_t index(Step step) { return static_cast<std::size_t>(step); }
    // Counts the call; the error it must fail with, or 0 to make it.
    Error injected(Step step);

    std::array<StepState, static_cast<std::size_t>(Step::Count)> m_steps{};
    std::size_t m_writeLimit = 0;
    std::function<void(Step)> m_beforeStep;
};

}  // namespace orvex::test
