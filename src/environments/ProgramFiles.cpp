#include "environments/ProgramFiles.h"

#include "environments/Guarded.h"

#include "text/Text.h"

#include <cctype>

namespace qz {

std::string ProgramFilesDirectory(const Registry& registry, const FileSystem& files) {
    std::string result = Guarded([&] {
        return registry
            .readString(RegistryRoot::LocalMachine,
                        "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir")
            .value_or("");
    });
    for (char letter = 'C'; result.empty() && letter <= 'Z'; ++letter) {
        if (files.driveType(letter) != DriveType::Fixed)
            break;
        std::string drive = std::string(1, letter) + ":";
        if (files.directoryExists(drive + "\\Program Files (x86)\\"))
            result = drive + "\\Program Files (x86)";
        else if (files.directoryExists(drive + "\\Program Files\\"))
            result = drive + "\\Program Files";
    }
    for (char letter = 'C'; result.empty() && letter <= 'Z'; ++letter) {
        std::string drive = std::string(1, letter) + ":";
        if (files.driveType(letter) == DriveType::Fixed && files.directoryExists(drive + "\\"))
            result = drive;
    }
    return result;
}

std::vector<std::string> StandardSearchRoots(const std::string& programFiles) {
    return {"c:",
            "d:",
            programFiles,
            "c:\\Program files (x86)",
            "c:\\Program files",
            "d:\\Program files (x86)",
            "d:\\Program files"};
}

std::vector<std::string> ProgramFilesRoots(const std::string& programFiles) {
    return {programFiles, "C:\\Program Files (x86)", "C:\\Program Files", "D:\\Program Files (x86)",
            "D:\\Program Files"};
}

bool StartsWithFixedDrive(const FileSystem& files, const std::string& path) {
    return !path.empty() && std::isalpha(static_cast<unsigned char>(path[0])) &&
           files.driveType(path[0]) == DriveType::Fixed;
}

bool IsOnFixedDrive(const FileSystem& files, const std::string& path) {
    return StartsWithFixedDrive(files, path) && files.fileExists(path);
}

std::string ProfileBaseFolder(const SystemInfo& system) {
    std::string appData = system.environmentVariable("APPDATA").value_or("");
    std::size_t cut = text::upperAscii(appData).find("\\ROAMING");
    return cut == std::string::npos ? appData : appData.substr(0, cut);
}

} // namespace qz
