// Files of fixed 79-byte records (results.dat, access.dat): each record is a
// length byte and 78 characters. Shared by the results file and the
// certificate, with the status codes their operations return.
#pragma once

#include "platform/FileSystem.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

constexpr std::size_t RecordSize = 79;
constexpr std::size_t RecordTextSize = 78;

// Status codes of the working-directory file helpers.
constexpr int StatusOk = 0;
constexpr int StatusFileMissing = -1;
constexpr int StatusCannotOpen = -2;
constexpr int StatusTooShort = -3;
constexpr int StatusFolderMissing = -10;

// The folder the helpers work on: the current directory when empty, without
// a trailing backslash.
std::string WorkDirFolder(const FileSystem& files, std::string_view folder);
// Whether a folder from WorkDirFolder exists (a bare "C:" is the drive's root).
bool WorkDirExists(const FileSystem& files, const std::string& folder);
// "folder\name" for a folder from WorkDirFolder.
std::string WorkDirFile(std::string_view folder, std::string_view name);

// Clears the read-only attribute of an existing file, keeping the others.
void ClearReadOnly(FileSystem& files, const std::string& path);

// Number of whole records in an open file.
std::size_t RecordCount(const File& file);

// The text of record `index`, or nothing when it cannot be read. A length
// byte above 78 cannot come from a writer of this format; such a record
// reads as empty text rather than running into the next record.
std::optional<std::string> ReadRecord(File& file, std::size_t index);

// The 79 bytes of a record holding `bytes` cut at 78 and blank-padded to 78.
std::string PaddedRecord(std::string_view bytes);

// Writes whole records from the file's current position and closes the
// file; false when a write or the close fails.
bool WriteRecordsAndClose(File& file, const std::vector<std::string>& records);

} // namespace qz
