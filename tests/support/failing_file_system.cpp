#include "failing_file_system.h"

#include <algorithm>

namespace orvex::test {

void FailingFileSystem::failFrom(Step step, int error, int nth) {
    StepState& state = m_steps[index(step)];
    state.failFrom = state.calls + nth;
    state.error = error;
}

FailingFileSystem::Error FailingFileSystem::injected(Step step) {
    if (m_beforeStep) {
        m_beforeStep(step);
    }
    StepState& state = m_steps[index(step)];
    ++state.calls;
    return state.failFrom > 0 && state.calls >= state.failFrom ? state.error : 0;
}

FailingFileSystem::Error FailingFileSystem::createTemporary(const std::string& folder,
                                                            const std::string& path, Handle& file,
                                                            bool& named) {
    if (const Error error = injected(Step::CreateTemporary)) {
        return error;
    }
    return SystemFileSystem::createTemporary(folder, path, file, named);
}

FailingFileSystem::Error FailingFileSystem::unnamedLinkPath(Handle file, std::string& link) {
    if (const Error error = injected(Step::UnnamedLink)) {
        return error;
    }
    return SystemFileSystem::unnamedLinkPath(file, link);
}

FailingFileSystem::Error FailingFileSystem::writeSome(Handle file, const char* data,
                                                      std::size_t size, std::size_t& written) {
    if (const Error error = injected(Step::Write)) {
        return error;
    }
    const std::size_t piece = m_writeLimit > 0 ? std::min(size, m_writeLimit) : size;
    return SystemFileSystem::writeSome(file, data, piece, written);
}

FailingFileSystem::Error FailingFileSystem::setMode(Handle file, const std::string& path,
                                                    unsigned long mode) {
    if (const Error error = injected(Step::SetMode)) {
        return error;
    }
    return SystemFileSystem::setMode(file, path, mode);
}

FailingFileSystem::Error FailingFileSystem::flushToDisk(Handle file) {
    if (const Error error = injected(Step::Flush)) {
        return error;
    }
    return SystemFileSystem::flushToDisk(file);
}

FailingFileSystem::Error FailingFileSystem::renameOver(const std::string& from,
                                                       const std::string& to) {
    if (const Error error = injected(Step::Rename)) {
        return error;
    }
    return SystemFileSystem::renameOver(from, to);
}

FailingFileSystem::Error FailingFileSystem::readSome(Handle file, char* data, std::size_t size,
                                                     std::size_t& got) {
    if (const Error error = injected(Step::Read)) {
        return error;
    }
    return SystemFileSystem::readSome(file, data, size, got);
}

}  // namespace orvex::test
