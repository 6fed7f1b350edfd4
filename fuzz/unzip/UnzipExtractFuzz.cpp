// Extracts every entry of arbitrary bytes taken as an archive into a scratch
// folder, with a password for encrypted entries, then empties the folder;
// twice, decoding on one thread and ahead on workers, and the two runs must
// not differ. Nothing may change outside that folder. Every event's handler
// reads the archive through the accessors and tries what a run forbids.
#include "FuzzMachine.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostShell.h"
#include "platform/host/HostSystemInfo.h"
#include "unzip/Errors.h"
#include "unzip/QzUnZip.h"

#include <fstream>
#include <functional>

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

// One run over the archive, decoding on the calling thread (threads 0) or
// ahead on workers: every event with its arguments, the messages shown, how
// the run ended and what it left in the scratch folder, which it then empties.
std::string RunOnce(fuzz::FuzzMachine& machine, const Platform& platform,
                    const std::string& archive, const std::string& other, bool assumeBad,
                    int threads) {
    // File dates lag the clock by up to a tick of the system's.
    const auto started = std::filesystem::file_time_type::clock::now() - std::chrono::seconds(1);
    std::string log;
    const auto note = [&](const std::string& line) { log += line + "\n"; };
    {
        TQzUnZip zip(platform);
        zip.DoAll = true;
        zip.RecreateDirs = true;
        zip.OverwriteMode = TUZOverwriteMode::Prompt;
        zip.DoProcessMessages = false;
        zip.Password = "password";
        zip.DecodeThreads = threads;
        zip.DecodeAheadBudget = 1 << 18; // some entries ahead, bigger ones here
        zip.SetIncompleteZipMode(assumeBad ? TIncompleteZipMode::izAssumeBad
                                           : TIncompleteZipMode::izAssumeMulti);
        zip.SetZipName(archive);
        zip.SetDestDir(machine.Scratch());
        auto probe = [&](TQzUnZip& sender, int index) { Probe(sender, index, other); };
        const auto n = [](auto value) { return " " + std::to_string(value); };
        zip.OnStartUnZipInfo = [&](TQzUnZip& s, int files, std::int64_t bytes, bool&) {
            note("info" + n(files) + n(bytes));
            probe(s, 0);
        };
        zip.OnFilePercentDone = [&](TQzUnZip& s, int p) {
            note("file%" + n(p));
            probe(s, 0);
        };
        zip.OnTotalPercentDone = [&](TQzUnZip& s, int p) {
            note("total%" + n(p));
            probe(s, 0);
        };
        zip.OnStartUnZip = [&](TQzUnZip& s, int i, const std::string& name, bool&) {
            note("start" + n(i) + " " + name);
            probe(s, i);
        };
        zip.OnEndUnZip = [&](TQzUnZip& s, int i, const std::string& name) {
            note("end" + n(i) + " " + name);
            probe(s, i);
        };
        zip.OnPromptForOverwrite = [&](TQzUnZip& s, bool& overwrite, int i, std::string& name) {
            note("prompt" + n(i) + " " + name);
            probe(s, i);
            overwrite = true;
        };
        zip.OnSkippingFile = [&](TQzUnZip& s, TSkipReason reason, const std::string& name, int i) {
            note("skip" + n(static_cast<int>(reason)) + " " + name + n(i));
            probe(s, i);
        };
        // A second password, once: entries read ahead with the first one are
        // then read again.
        zip.OnBadPassword = [&](TQzUnZip& s, int i, std::string& password) {
            note("password" + n(i) + " " + password);
            probe(s, i);
            if (password == "password")
                password = "drowssap";
        };
        zip.OnBadCRC = [&](TQzUnZip& s, std::uint32_t calc, std::uint32_t stored, int i) {
            note("crc" + n(calc) + n(stored) + n(i));
            probe(s, i);
        };
        zip.OnInCompleteZip = [&](TQzUnZip& s, TIncompleteZipMode&) {
            note("incomplete");
            probe(s, 0);
        };
        // The next disk is the same file again: the reader must see the end.
        zip.OnGetNextDisk = [&](TQzUnZip& s, int disk, std::string&) {
            note("disk" + n(disk));
            probe(s, 0);
        };
        try {
            // The directory first, outside a run, then the run.
            zip.Count();
            note("extracted" + n(zip.UnZip()));
        } catch (const EUnzipError& e) {
            // the reader's own verdict on a damaged archive
            note(std::string("error ") + e.what());
        }
    }
    for (const MessageRequest& message : machine.dialogs.messages)
        note("message " + message.caption + ": " + message.text);
    machine.dialogs.messages.clear();
    // A file the run left unfinished (it ended with an error) has the date
    // of its writing, which differs from run to run; the others have the
    // entry's date.
    const auto ended = std::filesystem::file_time_type::clock::now();
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(machine.Scratch(), ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        note(it->path().string());
        if (!it->is_regular_file())
            continue;
        const auto date = it->last_write_time();
        note(
            std::to_string(std::hash<std::string>{}(std::string(
                std::istreambuf_iterator<char>(std::ifstream(it->path(), std::ios::binary).rdbuf()),
                {}))) +
            (date >= started && date <= ended
                 ? ""
                 : " @" + std::to_string(date.time_since_epoch().count())));
    }
    std::filesystem::remove_all(machine.Scratch(), ec);
    return log;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static qz::fuzz::FuzzMachine machine;
    static qz::HostRegistry registry;
    static qz::HostSystemInfo system;
    static qz::HostShell shell;
    Platform platform{machine.files, registry, system, machine.dialogs, machine.resources, shell};
    const std::string other = (machine.root / "other.zip").string();
    const std::string archive = machine.WriteArchive(data, size);
    const bool assumeBad = size % 2 != 0;
    // Decoding ahead may not show in anything a run does.
    const std::string serial = RunOnce(machine, platform, archive, other, assumeBad, 0);
    const std::string parallel = RunOnce(machine, platform, archive, other, assumeBad, 2);
    if (serial != parallel) {
        std::fprintf(stderr, "one thread:\n%s\nworker threads:\n%s\n", serial.c_str(),
                     parallel.c_str());
        std::abort();
    }
    return 0;
}
