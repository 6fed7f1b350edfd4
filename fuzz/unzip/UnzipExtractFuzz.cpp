// Extracts every entry of arbitrary bytes taken as an archive into a scratch
// folder, with a password for encrypted entries, then empties the folder.
// Nothing may change outside that folder. Every event's handler reads the
// archive through the accessors and tries what a run forbids.
#include "FuzzMachine.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostShell.h"
#include "platform/host/HostSystemInfo.h"
#include "unzip/Errors.h"
#include "unzip/QzUnZip.h"

namespace {

using namespace qz;

[[noreturn]] void Fail(const char* what, const char* detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail);
    std::abort();
}

// An operation that would pull the archive from under the run must be refused.
template <typename Operation> void MustBeRefused(const char* name, Operation operation) {
    try {
        operation();
    } catch (const EUnzipError&) {
        return;
    }
    Fail("allowed while the archive is in use", name);
}

// What a handler may do: read some entries (the first, the last and the one
// of the event) and the comments. The accessors must not fail the run.
void Probe(TQzUnZip& zip, int index, const std::string& otherName) {
    try {
        int count = zip.Count();
        for (int i : {0, count - 1, index})
            if (i >= 0 && i < count) {
                zip.FullName(i);
                zip.Filename(i);
                zip.FileComment(i);
            }
        zip.ZipComment();
    } catch (const EUnzipError& e) {
        Fail("an accessor failed in a handler", e.what());
    }
    MustBeRefused("CloseArchive", [&] { zip.CloseArchive(); });
    MustBeRefused("ZipName", [&] { zip.SetZipName(otherName); });
    MustBeRefused("UnZip", [&] { zip.UnZip(); });
    MustBeRefused("SortMode", [&] { zip.SetSortMode(TZipSortMode::ByName); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static qz::fuzz::FuzzMachine machine;
    static qz::HostRegistry registry;
    static qz::HostSystemInfo system;
    static qz::HostShell shell;
    Platform platform{machine.files, registry, system, machine.dialogs, machine.resources, shell};
    const std::string other = (machine.root / "other.zip").string();
    {
        TQzUnZip zip(platform);
        zip.DoAll = true;
        zip.RecreateDirs = true;
        zip.OverwriteMode = TUZOverwriteMode::Prompt;
        zip.Password = "password";
        zip.SetIncompleteZipMode(size % 2 ? TIncompleteZipMode::izAssumeBad
                                          : TIncompleteZipMode::izAssumeMulti);
        zip.SetZipName(machine.WriteArchive(data, size));
        zip.SetDestDir(machine.Scratch());
        auto probe = [&](TQzUnZip& sender, int index) { Probe(sender, index, other); };
        zip.OnStartUnZipInfo = [&](TQzUnZip& s, int, std::int64_t, bool&) { probe(s, 0); };
        zip.OnFilePercentDone = [&](TQzUnZip& s, int) { probe(s, 0); };
        zip.OnTotalPercentDone = [&](TQzUnZip& s, int) { probe(s, 0); };
        zip.OnStartUnZip = [&](TQzUnZip& s, int i, const std::string&, bool&) { probe(s, i); };
        zip.OnEndUnZip = [&](TQzUnZip& s, int i, const std::string&) { probe(s, i); };
        zip.OnPromptForOverwrite = [&](TQzUnZip& s, bool& overwrite, int i, std::string&) {
            probe(s, i);
            overwrite = true;
        };
        zip.OnSkippingFile = [&](TQzUnZip& s, TSkipReason, const std::string&, int i) {
            probe(s, i);
        };
        zip.OnBadPassword = [&](TQzUnZip& s, int i, std::string&) { probe(s, i); };
        zip.OnBadCRC = [&](TQzUnZip& s, std::uint32_t, std::uint32_t, int i) { probe(s, i); };
        zip.OnInCompleteZip = [&](TQzUnZip& s, TIncompleteZipMode&) { probe(s, 0); };
        // The next disk is the same file again: the reader must see the end.
        zip.OnGetNextDisk = [&](TQzUnZip& s, int, std::string&) { probe(s, 0); };
        try {
            // The directory first, outside a run, then the run.
            zip.Count();
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
