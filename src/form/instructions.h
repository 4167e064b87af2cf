#pragma once

namespace orvex {

// The instructions shown in Text2: 20 lines, each ended by CR LF, kept byte for
// byte (trailing blanks and double blanks after full stops included).
extern const char* const kInstructionsText;

}  // namespace orvex
