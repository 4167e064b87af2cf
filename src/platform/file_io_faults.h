#pragma once

#include <cstddef>

namespace orvex::faults {

// A test seam in ReplaceFileBytes: lets a test make one chosen step fail with a
// chosen errno (or Win32 error code), or split writes into short pieces, so every
// failure path can be reached without a broken disk. Production code never sets it.
enum class ReplaceStep { None, OpenTemp, Write, Chmod, Sync, Rename };

struct ReplaceFault {
    ReplaceStep step = ReplaceStep::None;
    int error = 0;
    std::size_t maxWriteChunk = 0;  // 0: no limit; otherwise each write call writes at most this
};

// The fault in force; ReplaceStep::None for none.
const ReplaceFault& CurrentReplaceFault();

// Installs `fault` for its lifetime and restores the previous one afterwards.
class ScopedReplaceFault {
  public:
    explicit ScopedReplaceFault(const ReplaceFault& fault);
    ~ScopedReplaceFault();
    ScopedReplaceFault(const ScopedReplaceFault&) = delete;
    ScopedReplaceFault& operator=(const ScopedReplaceFault&) = delete;

  private:
    ReplaceFault m_previous;
};

}  // namespace orvex::faults
