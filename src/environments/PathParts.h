// Pieces of Windows paths, split the way the rest of the system's paths are:
// the folder part keeps its trailing backslash, the folder does not.
#pragma once

#include <string>
#include <string_view>

namespace qz {

// "C:\A\b.exe" -> "C:\A\" ("" when there is no "\" or ":").
std::string FolderPart(std::string_view path);
// "C:\A\b.exe" -> "C:\A"; "C:\b.exe" -> "C:\".
std::string FolderOf(std::string_view path);
// "C:\A\b.exe" -> "b.exe".
std::string FileNameOf(std::string_view path);
// "b.exe" -> ".exe" ("" when the name has no dot).
std::string ExtensionOf(std::string_view path);
// Adds a "\" unless the text already ends with one.
std::string WithTrailingBackslash(std::string_view folder);
// Every "\" becomes "/", as the IDEs that take these paths want them.
std::string ForwardSlashes(std::string_view path);

} // namespace qz
