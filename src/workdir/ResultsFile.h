// The results file results.dat of a working directory, records 0 to 2:
//   0  header "name|number KEY" (ResultsHeader.h)
//   1  the program directory, without trailing backslash
//   2  the identification record, scrambled with kind 2 (plain layout below)
// The runtime writes its records after these; this tool never touches them.
// Text is in CP866 (Cp866.h). Every operation takes a working directory
// (the current directory when empty, a trailing backslash ignored), clears
// the file's read-only attribute before opening it, and reports failures as
// the status codes of RecordFile.h, never by a dialog.
#pragma once

#include "platform/FileSystem.h"
#include "workdir/RecordFile.h"
#include "workdir/ResultsHeader.h"

#include <string>

namespace qz {

// Identification record, plain form, 76 characters: "T3", the student name
// blank-padded to 25, a random number 100..999, 12 blanks, sixteen random
// digits, the installation field (18).
constexpr std::size_t IdNameAt = 2;
constexpr std::size_t IdNameSize = 25;
constexpr std::size_t IdFieldAt = 58;
constexpr std::size_t IdFieldSize = 18;

struct ResultsHeaderRead {
    int status = StatusCannotOpen;
    ResultsHeader header;
    // Record 1 when that folder exists and holds qz.ini, else empty.
    std::string systemDirectory;
};

// -10 folder missing, -1 no results.dat, -2 cannot open, -3 fewer than
// three records, 0 with records 0 and 1 read.
ResultsHeaderRead ReadResultsHeader(FileSystem& files, std::string_view folder);

// Rewrites records 0 and 1 in place, keeping every other record: the name
// and number read, then `environmentKey` upper-cased; the program directory.
// Returns the status of reading the header, or -2 when writing fails.
int WriteResultsHeader(FileSystem& files, std::string_view folder, std::string_view environmentKey,
                       std::string_view programDirectory);

struct ResultsName {
    std::string name;              // 25 characters as stored, blanks kept
    std::string installationField; // 18 characters
};

// Both empty unless the file has three records and record 2 passes its check.
ResultsName ReadResultsName(FileSystem& files, std::string_view folder);

// Whether the runtime has written anything after the three records of this
// tool: creating the file anew would lose it.
bool HoldsResults(FileSystem& files, std::string_view folder);

// Creates "folder\results.dat" anew with records 0 to 2: the name followed by
// `headerSuffix` ("|10" or empty), the program directory (78 blanks when it
// is longer than a record), the identification record built from the name
// (cut to 25 characters). Returns -2 when the file cannot be opened or
// written, 0 otherwise.
int CreateResultsFile(FileSystem& files, std::string_view folder, std::string_view name,
                      std::string_view headerSuffix, std::string_view programDirectory);

} // namespace qz
