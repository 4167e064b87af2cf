#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

// The rules of the Windows-form paths the system builds and keeps ("C:\Games\X\",
// "Data\client\output\a.ini"), on every host. Both "\" and "/" separate; only "\" is
// written. Drive letters are ASCII letters; UNC names are not recognised ("\\server"
// is rooted at its first backslash).

bool IsPathSeparator(char c);

// "C:" at the front.
bool HasDriveLetter(std::string_view path);

// The length of the root at the front: 3 for "C:\", 2 for "C:", 1 for "\", else 0.
std::size_t RootLength(std::string_view path);

// A root at the front: a drive letter or a separator.
bool IsAbsolutePath(std::string_view path);

// The names after the root, in order; a run of separators counts as one, so no name
// is empty.
std::vector<std::string> SplitPathComponents(std::string_view path);

// `folder`, exactly one backslash, `name`: separators at the end of the folder and at
// the front of the name are dropped. An empty folder gives the name alone, so a
// relative name stays relative.
std::string JoinPath(std::string_view folder, std::string_view name);

// `path` without the separators at its end, but never shorter than its root
// ("C:\Games\\" gives "C:\Games", "C:\\" gives "C:\", "\\" gives "\").
std::string WithoutFinalSeparators(std::string_view path);

// The process's current folder in Windows form (on other hosts the absolute host path
// with "/" written as "\"); "." when it cannot be told.
std::string CurrentFolder();

// The folder a file list shows for `folder`: absolute (a relative one taken from the
// current folder) and without final separators but for a root.
std::string FolderShownFor(std::string_view folder);

}  // namespace orvex
