#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace orvex {

// A quoted file text longer than this is cut, with "..." after what is kept.
inline constexpr std::size_t kLongestQuote = 60;
// The longest run of characters without a blank a message box is given: longer runs
// (paths, numbers) are broken into lines, after a "\" or "/" where one is near.
inline constexpr std::size_t kLongestUnbrokenRun = 64;

// `message` as a box shows it: titled (its own title, else the application's), long
// quotes cut and long runs broken, so that no box is wider than the screen whatever
// the file held.
UserMessage AsShown(UserMessage message);

// The characters a window shows for text bytes (INI contents, file names) where the
// host has no ANSI code page of its own: those of Windows-1252.
std::u16string Decoded1252(std::string_view bytes);

}  // namespace orvex
