// Extracts every entry of arbitrary bytes taken as an archive into a scratch
// folder, with a password for encrypted entries, then empties the folder.
#include "FuzzMachine.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostShell.h"
#include "platform/host/HostSystemInfo.h"
#include "unzip/Errors.h"
#include "unzip/QzUnZip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static qz::fuzz::FuzzMachine machine;
    static qz::HostRegistry registry;
    static qz::HostSystemInfo system;
    static qz::HostShell shell;
    using namespace qz;
    Platform platform{machine.files, registry, system, machine.dialogs, machine.resources, shell};
    {
        TQzUnZip zip(platform);
        zip.DoAll = true;
        zip.RecreateDirs = true;
        zip.OverwriteMode = TUZOverwriteMode::Always;
        zip.Password = "password";
        zip.SetIncompleteZipMode(size % 2 ? TIncompleteZipMode::izAssumeBad
                                          : TIncompleteZipMode::izAssumeMulti);
        zip.SetZipName(machine.WriteArchive(data, size));
        zip.SetDestDir(machine.Scratch());
        // Handlers that look at the archive while the run goes on, as the
        // installer's and qz4unzip's do.
        zip.OnStartUnZip = [](TQzUnZip& sender, int index, const std::string&, bool&) {
            sender.FileComment(index);
        };
        zip.OnBadCRC = [](TQzUnZip& sender, std::uint32_t, std::uint32_t, int index) {
            sender.FullName(index);
            sender.ZipComment();
        };
        try {
            zip.UnZip();
        } catch (const EUnzipError&) {
            // the reader's own verdict on a damaged archive
        }
    }
    machine.dialogs.messages.clear();
    std::error_code ec;
    std::filesystem::remove_all(machine.Scratch(), ec);
    return 0;
}
