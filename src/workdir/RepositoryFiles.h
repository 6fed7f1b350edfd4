// The files that tie a working directory to a repository certificate:
//   access.dat     active certificate       access0.dat   switched off
//   results.dat    active results file      results0.dat  local results, put aside
//   results1.dat   repository results, put aside while switched off
//   qz4.ini        [UpdateData] AccessInfo: identity of the last certificate seen
//   qzaccess.dir   repository data of the certificate
// Failures here are not reported: the status check shows what came of them.
#pragma once

#include "platform/CodePages.h"
#include "platform/FileSystem.h"

#include <string>
#include <string_view>

namespace qz {

// The stored identity; empty when qz4.ini is missing or unreadable. The ini
// file is in the ANSI code page.
std::string ReadAccessInfo(FileSystem& files, std::string_view folder, CodePage codePage);
void WriteAccessInfo(FileSystem& files, std::string_view folder, std::string_view identity,
                     CodePage codePage);

// Drops what belonged to the previous certificate (access0.dat, results.dat,
// results1.dat, the files of qzaccess.dir and the folder) and brings the
// local results file back from results0.dat, which stays.
void ResetRepositoryFiles(FileSystem& files, std::string_view folder);

// Puts the local results file aside as results0.dat.
void BackupLocalResults(FileSystem& files, std::string_view folder);

} // namespace qz
