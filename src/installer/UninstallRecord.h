// The uninstall record qz4.log that the separate uninstaller reads: a
// message line with its four texts, then one path per line of everything
// the installation made. A second installation into the same folder merges
// its paths into the record that is there.
#pragma once

#include "platform/CodePages.h"
#include "platform/FileSystem.h"

#include <string>
#include <vector>

namespace qz {

// The uninstaller's title, question, completion text and the heading of
// what it could not remove, each followed by "|", in the active language.
std::string UninstallMessageLine();

// The earlier record with its message line replaced by the new list's and
// the new list's paths it lacks appended (compared without regard to case).
std::vector<std::string> MergeUninstallRecord(std::vector<std::string> earlier,
                                              const std::vector<std::string>& list);

// Writes the list as the record at path, merged with an earlier record
// there; text in the given (ANSI) code page, CR LF line ends. False when the
// file could not be written.
bool WriteUninstallRecord(FileSystem& files, const std::string& path,
                          const std::vector<std::string>& list, CodePage codePage);

} // namespace qz
