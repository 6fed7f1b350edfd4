#include "workdir/RepositoryFiles.h"

#include "settings/IniFile.h"
#include "text/Text.h"
#include "workdir/RecordFile.h"

namespace qz {
namespace {

constexpr const char* IniName = "qz4.ini";
constexpr const char* Section = "UpdateData";
constexpr const char* Key = "AccessInfo";

} // namespace

std::string ReadAccessInfo(FileSystem& files, std::string_view folder, CodePage codePage) {
    std::string path = WorkDirFile(WorkDirFolder(files, folder), IniName);
    if (!files.fileExists(path))
        return {};
    return IniFile(files, path, codePage).readString(Section, Key, "");
}

bool WriteAccessInfo(FileSystem& files, std::string_view folder, std::string_view identity,
                     CodePage codePage) {
    std::string path = WorkDirFile(WorkDirFolder(files, folder), IniName);
    IniFile ini(files, path, codePage);
    if (!ini.readable() && files.fileExists(path))
        return false;
    const std::string stored = StoredIdentity(identity);
    return ini.writeString(Section, Key, stored) &&
           IniFile(files, path, codePage).readString(Section, Key, "") == stored;
}

std::string StoredIdentity(std::string_view identity) {
    std::string stored(identity);
    for (char& c : stored)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return stored;
}

bool SameAccessIdentity(std::string_view stored, std::string_view identity, CodePage codePage) {
    if (stored == StoredIdentity(identity))
        return true;
    if (stored.empty())
        return false;
    std::string old = codePage.decode(codePage.encode(identity));
    old = text::trim(old.substr(0, old.find_first_of("\r\n")));
    if (old.size() >= 2 && (old.front() == '"' || old.front() == '\'') && old.back() == old.front())
        old = old.substr(1, old.size() - 2);
    return stored == old;
}

void TakeOverCertificate(FileSystem& files, std::string_view folder, std::string_view identity,
                         CodePage codePage) {
    const std::string stored = ReadAccessInfo(files, folder, codePage);
    if (SameAccessIdentity(stored, identity, codePage)) {
        if (stored != StoredIdentity(identity))
            WriteAccessInfo(files, folder, identity, codePage);
        return;
    }
    if (!WriteAccessInfo(files, folder, identity, codePage))
        return;
    if (!stored.empty())
        ResetRepositoryFiles(files, folder);
    BackupLocalResults(files, folder);
}

void ResetRepositoryFiles(FileSystem& files, std::string_view folder) {
    std::string d = WorkDirFolder(files, folder);
    for (const char* name : {"access0.dat", "results.dat", "results1.dat"})
        files.deleteFile(WorkDirFile(d, name));
    std::string data = WorkDirFile(d, "qzaccess.dir");
    for (const auto& entry : files.list(WorkDirFile(data, "*.*"), ListKind::Files))
        files.deleteFile(WorkDirFile(data, entry.name));
    files.removeDirectory(data);
    std::string local = WorkDirFile(d, "results0.dat");
    if (files.fileExists(local))
        files.copyFile(local, WorkDirFile(d, "results.dat"), false);
}

void BackupLocalResults(FileSystem& files, std::string_view folder) {
    std::string d = WorkDirFolder(files, folder);
    std::string results = WorkDirFile(d, "results.dat");
    if (files.fileExists(results) && files.copyFile(results, WorkDirFile(d, "results0.dat"), false))
        files.deleteFile(results);
}

} // namespace qz
