// The uninstall record qz4.log that the separate uninstaller reads: a
// message line with its four texts, then one path per line of everything
// the installation made. A second installation into the same folder merges
// its paths into the record that is there, keeping only the lines that name
// what the installation owns.
#pragma once

#include "installer/InstallationBounds.h"
#include "platform/CodePages.h"
#include "platform/FileSystem.h"

#include <string>
#include <vector>

namespace qz {

// The uninstaller's title, question, completion text and the heading of
// what it could not remove, each followed by "|", in the active language.
std::string UninstallMessageLine();

struct RecordMerge {
    std::vector<std::string> lines;
    std::vector<std::string> dropped; // earlier lines that name what is not ours
};

// The earlier record with its message line replaced by the new list's, its
// foreign lines dropped, and the new list's paths it lacks appended
// (compared without regard to case).
RecordMerge MergeUninstallRecord(std::vector<std::string> earlier,
                                 const std::vector<std::string>& list,
                                 const InstallationBounds& bounds);

struct RecordWrite {
    bool written = false;
    // Earlier lines left out: foreign ones, or a whole record too large to
    // be one ("<path>" alone then).
    std::vector<std::string> dropped;
};

// Writes the list as the record at path, merged with an earlier record
// there; text in the given (ANSI) code page, or in UTF-16 when that cannot
// hold a path (see TextFile.h), CR LF line ends. The new record
// is written beside the old one and replaces it in one step, so a failure
// keeps the old record.
RecordWrite WriteUninstallRecord(FileSystem& files, const std::string& path,
                                 const std::vector<std::string>& list,
                                 const InstallationBounds& bounds, CodePage codePage);

} // namespace qz
