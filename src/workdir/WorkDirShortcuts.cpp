#include "workdir/WorkDirShortcuts.h"

namespace qz {

bool CreateWorkDirShortcuts(FileSystem& files, Shell& shell, const std::string& folder,
                            const std::string& programDirectory) {
    if (!files.directoryExists(folder))
        return false;
    static constexpr struct {
        const char* link;
        const char* program;
    } shortcuts[] = {{"Panel.lnk", "QZ4Panel.exe"},
                     {"Demo.lnk", "QZ4Demo.exe"},
                     {"Load.lnk", "QZ4Load.exe"},
                     {"Results.lnk", "QZ4Res.exe"}};
    for (const auto& s : shortcuts) {
        ShellLink link;
        link.target = programDirectory + s.program;
        if (!shell.createShortcut(folder + "\\" + s.link, link))
            return false;
    }
    return true;
}

} // namespace qz
