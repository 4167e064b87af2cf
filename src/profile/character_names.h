#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/status.h"

namespace orvex {

// The player id of a player options file name: lower case, then every "player",
// every ".ini" and every "_options" removed ("Player42_Options.INI" gives "42").
std::string PlayerIdFromFileName(const std::string& fileName);

// The character name of the file `entryText` (a name without folder): the "Name"
// of the first section in `shortcutSections` whose name contains the player id,
// read from `outputFolder` + "shortcut.ini"; the empty text when none matches. A
// shortcut.ini that exists but cannot be read gives the empty name and a failed
// status (see ReadINIEntry).
Result<std::string> LookupCharacterName(const std::string& entryText,
                                        const std::string& outputFolder,
                                        const std::vector<std::string>& shortcutSections,
                                        FileSystem& files);

}  // namespace orvex
