// Folder creation as every FileSystem port must answer it, whatever system
// lies below: one table for the host and the Win32 suites, so the two cannot
// drift apart.
#pragma once

#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <string>

namespace qz::contract {

enum class FolderCall { CreateOne, CreateAll };

struct FolderCase {
    const char* what;
    FolderCall call;
    // "{scratch}" is an empty writable folder, "{missing}" a drive letter
    // that is not there; "{scratch}\ro" is a read-only file.
    const char* path;
    bool succeeds;
};

inline const FolderCase kFolderCases[] = {
    {"missing parents are made", FolderCall::CreateAll, "{scratch}\\new\\a\\b", true},
    {"a trailing backslash", FolderCall::CreateAll, "{scratch}\\slash\\", true},
    {"an existing folder", FolderCall::CreateAll, "{scratch}", true},
    {"one level with its parent", FolderCall::CreateOne, "{scratch}\\one", true},
    {"one level without its parent", FolderCall::CreateOne, "{scratch}\\none\\one", false},
    {"a missing drive", FolderCall::CreateAll, "{missing}:\\a\\b", false},
    {"the root of a missing drive", FolderCall::CreateAll, "{missing}:\\", false},
    {"a missing share", FolderCall::CreateAll, "\\\\qz4-no-server\\no-share\\a\\b", false},
    {"a server without a share", FolderCall::CreateAll, "\\\\qz4-no-server", false},
    {"a read-only file in the way", FolderCall::CreateAll, "{scratch}\\ro\\a", false},
    {"a read-only file of that name", FolderCall::CreateAll, "{scratch}\\ro", false},
};

inline std::string expand(std::string path, const std::string& scratch, char missingDrive) {
    for (std::size_t at; (at = path.find("{scratch}")) != std::string::npos;)
        path.replace(at, 9, scratch);
    for (std::size_t at; (at = path.find("{missing}")) != std::string::npos;)
        path.replace(at, 9, std::string(1, missingDrive));
    return path;
}

// Runs every case: the call's answer, and whether the folder is there after it.
inline void CheckFolderCreation(FileSystem& files, const std::string& scratch, char missingDrive) {
    ASSERT_EQ(files.driveType(missingDrive), DriveType::NoRootDir);
    const std::string readOnly = scratch + "\\ro";
    ASSERT_TRUE(files.open(readOnly, OpenMode::Create));
    ASSERT_TRUE(files.setAttributes(readOnly, AttrReadOnly));
    for (const FolderCase& c : kFolderCases) {
        SCOPED_TRACE(c.what);
        const std::string path = expand(c.path, scratch, missingDrive);
        bool made = c.call == FolderCall::CreateAll ? files.createDirectories(path)
                                                    : files.createDirectory(path);
        EXPECT_EQ(made, c.succeeds) << path;
        EXPECT_EQ(files.directoryExists(path), c.succeeds) << path;
    }
    EXPECT_TRUE(files.setAttributes(readOnly, AttrNormal));

    // A path far beyond the system's limit, as a long folder template or a
    // deep archive entry gives: refused with nothing made, never a crash.
    std::string deep = scratch + "\\deep";
    for (int level = 0; level < 1500; ++level)
        deep += "\\d";
    EXPECT_FALSE(files.createDirectories(deep));
    EXPECT_FALSE(files.directoryExists(scratch + "\\deep"));
}

} // namespace qz::contract
