#include "file_io_faults.h"

namespace orvex::faults {

namespace {

ReplaceFault& installedFault() {
    static ReplaceFault fault;
    return fault;
}

}  // namespace

const ReplaceFault& CurrentReplaceFault() {
    return installedFault();
}

ScopedReplaceFault::ScopedReplaceFault(const ReplaceFault& fault) : m_previous(installedFault()) {
    installedFault() = fault;
}

ScopedReplaceFault::~ScopedReplaceFault() {
    installedFault() = m_previous;
}

}  // namespace orvex::faults
