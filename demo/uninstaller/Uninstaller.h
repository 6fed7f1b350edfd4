// The stand-in uninstaller: reads the uninstall record named on its command
// line, asks the record's question, removes what the record lists and
// reports what it could not remove, and takes the installation's entry out
// of the system's list of installed programs. With /S before the record's
// path it removes without asking and reports through its exit status alone.
//
// Only what the installation owns is touched: files and "\a" folder trees
// strictly inside the installation folder (the folder above the record's
// UNINST folder) and the shortcut table's links. Every other line, and every
// path reached through a link, is skipped and named in the report; a link is
// removed as a link, never entered.
//
// Folders: a "\a" line's folder goes with everything in it. The folders of
// removed files go when they are left empty: inside the installation folder
// (the folder above the record's UNINST folder) up to and including it, so
// the whole installation disappears; elsewhere (the program group) only the
// file's own folder, and never one of the system's shell or system folders.
#pragma once

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/SystemInfo.h"

#include <string>
#include <vector>

namespace qz::demo {

class Uninstaller {
public:
    Uninstaller(FileSystem& files, Dialogs& dialogs, const SystemInfo& system, Registry& registry);

    // Runs with the command-line parameters ([/S] and the record's path);
    // returns the exit code: 0 done or declined, 1 no usable record, 2 done
    // but something named in the record stayed (with /S; without it the
    // report says so and the code is 0).
    int run(const std::vector<std::string>& parameters);

    // Paths that were still there after the removal, in the order met.
    const std::vector<std::string>& notRemoved() const { return notRemoved_; }

private:
    void removeFile(const std::string& path);
    void removeTree(const std::string& folder);
    void removeEmptiedFolders(const std::vector<std::string>& files,
                              const std::string& installFolder);
    bool isProtectedFolder(const std::string& folder) const;
    void report(const std::string& caption, MessageKind kind, const std::string& text);

    FileSystem& files_;
    Dialogs& dialogs_;
    const SystemInfo& system_;
    Registry& registry_;
    bool quiet_ = false;
    std::vector<std::string> notRemoved_;
};

} // namespace qz::demo
