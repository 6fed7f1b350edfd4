// Fetches a student's certificates from the teacher's repository and makes
// the working directories their templates describe, each with its
// certificate and the four shortcuts of the template folder.
#pragma once

#include "platform/FileSystem.h"
#include "platform/Ftp.h"

#include <string>
#include <string_view>
#include <vector>

namespace qz {

// At most this many working directories per student.
constexpr std::size_t MaxRepositoryDirectories = 26;

struct RepositoryConfiguration {
    std::string error;                    // empty on success, in the active language
    std::vector<std::string> directories; // in the order of the repository's listing
};

// programDirectory ends with "\" and holds the group certificate access.dat;
// the student's certificates are downloaded there for the length of the run.
RepositoryConfiguration ConfigureFromRepository(FileSystem& files, Ftp& ftp,
                                                const std::string& userProfile,
                                                const std::string& group, const std::string& login,
                                                const std::string& programDirectory);

} // namespace qz
