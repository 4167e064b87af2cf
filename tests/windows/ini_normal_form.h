#pragma once

#include <string>

namespace orvex {

// The bytes the Windows service writes when it saves a file it read as `bytes`:
// every line trimmed, blank lines dropped, no white space around the first '=',
// headers as "[name]" (nothing after the last ']', no header for an empty name),
// each line ended by CRLF. Two files with the same normal form differ only in
// formatting.
std::string IniNormalForm(const std::string& bytes);

}  // namespace orvex
