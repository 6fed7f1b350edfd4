// Turns a folder tree into a distribution: the installer executable under the
// distribution's name, its encrypted archive <name>.dat beside it, and the
// optional installer ini file, readme and licence texts under the names the
// installer looks for. The archive is written by Info-ZIP zip (the program
// only reads ZIP), with the password the installer decrypts with. zip sets
// no UTF-8 flag, so entry names are stored in the OEM code page of a Russian
// system (866), as the installer reads them there; a name that code page
// cannot hold, or with a control character, is refused.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qz::distribution {

struct Request {
    std::filesystem::path exe;       // the built Windows executable
    std::filesystem::path sourceDir; // the tree to install
    std::filesystem::path out;       // OUT.exe; OUT.dat and the texts go beside it
    std::optional<std::filesystem::path> ini;
    std::optional<std::filesystem::path> readme;    // Russian: readme.txt
    std::optional<std::filesystem::path> readmeEn;  // English: readme_en.txt
    std::optional<std::filesystem::path> licence;   // Russian: license.txt
    std::optional<std::filesystem::path> licenceEn; // English: license_en.txt
};

// A problem the user can fix; its message says which.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads "[--ini FILE] [--readme FILE] [--readme-en FILE] [--licence FILE]
// [--licence-en FILE] EXE SOURCE_DIR OUT.exe"; throws Error with the usage.
Request ParseArguments(const std::vector<std::string>& arguments);

// The archive's entries: every file of the tree (folders are made from the
// files' paths), relative with "/", each folder's files before its
// subfolders, names in byte order. The last entry is therefore a file, which
// the installer needs to finish. Empty when the tree holds no file.
std::vector<std::string> ArchiveEntries(const std::filesystem::path& sourceDir);

// The executable found on a search path ("dir:dir:..."), if any.
std::optional<std::filesystem::path> FindProgram(const std::string& name,
                                                 const std::string& searchPath);

// Checks everything first, then writes the distribution. `zip` is the
// Info-ZIP program (nothing: not installed). Throws Error.
void MakeDistribution(const Request& request, const std::optional<std::filesystem::path>& zip);

} // namespace qz::distribution
