#include "workdir/RepositoryFiles.h"

#include "settings/IniFile.h"
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

void WriteAccessInfo(FileSystem& files, std::string_view folder, std::string_view identity,
                     CodePage codePage) {
    std::string path = WorkDirFile(WorkDirFolder(files, folder), IniName);
    IniFile(files, path, codePage).writeString(Section, Key, std::string(identity));
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
