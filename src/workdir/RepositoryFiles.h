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
// file is in the ANSI code page, or UTF-16 when that cannot hold the text.
std::string ReadAccessInfo(FileSystem& files, std::string_view folder, CodePage codePage);
// Stores the identity in the form StoredIdentity gives; true when it reads
// back as stored. A qz4.ini that exists but cannot be read is left alone,
// since rewriting it would lose what else it holds.
bool WriteAccessInfo(FileSystem& files, std::string_view folder, std::string_view identity,
                     CodePage codePage);

// An identity as it is stored and compared: a control character (a line
// feed in the certificate header), which an ini line cannot hold, counts as
// a blank.
std::string StoredIdentity(std::string_view identity);

// Whether the stored text names this identity: as it is stored now, or as a
// writer that knew only the ANSI code page left it (letters it could not
// hold as '?', cut at a line break, trimmed, a pair of quotes taken off), so
// that a folder set up earlier is not taken for one with a new certificate.
bool SameAccessIdentity(std::string_view stored, std::string_view identity, CodePage codePage);

// The status check's step for the active certificate: when its identity is
// not the one the folder last saw, the new identity is stored, then what
// the previous certificate left is reset (when there was one) and the local
// results file is put aside. An identity that cannot be stored moves
// nothing, since every later check would move the files again: the change
// waits for a check that can record it. An identity stored the old way is
// stored anew without moving anything.
void TakeOverCertificate(FileSystem& files, std::string_view folder, std::string_view identity,
                         CodePage codePage);

// Drops what belonged to the previous certificate (access0.dat, results.dat,
// results1.dat, the files of qzaccess.dir and the folder) and brings the
// local results file back from results0.dat, which stays.
void ResetRepositoryFiles(FileSystem& files, std::string_view folder);

// Puts the local results file aside as results0.dat.
void BackupLocalResults(FileSystem& files, std::string_view folder);

} // namespace qz
