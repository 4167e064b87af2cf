#pragma once

#include <string>

namespace orvex {

// The system's message for a Win32 error code, without the final full stop and line
// break, or "error <code>" when the system has none.
std::string Win32ErrorText(unsigned long error);

}  // namespace orvex
