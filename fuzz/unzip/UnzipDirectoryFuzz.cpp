// Opens arbitrary bytes as an archive, reads its directory (the scan too,
// for odd-sized inputs), sorts it in every mode and reads every comment.
#include "FuzzMachine.h"
#include "platform/host/HostCodePages.h"
#include "unzip/Errors.h"
#include "unzip/ZipArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static qz::fuzz::FuzzMachine machine;
    static const qz::HostCodePages pages;
    using namespace qz;
    ZipArchive archive(machine.files, machine.dialogs, machine.strings, pages, 437);
    if (size % 2)
        archive.onIncompleteZip = [](TIncompleteZipMode& mode) {
            mode = TIncompleteZipMode::izAssumeBad;
        };
    archive.SetName(machine.WriteArchive(data, size));
    try {
        archive.Open();
        for (int mode = 0; mode <= static_cast<int>(TZipSortMode::ByNone); ++mode) {
            archive.SetSortMode(static_cast<TZipSortMode>(mode));
            for (int i = 0; i < archive.Count(); ++i)
                archive.Entry(i).FullName();
        }
        for (int i = 0; i < archive.Count(); ++i)
            archive.EntryComment(archive.Entry(i));
        archive.ArchiveComment();
    } catch (const EUnzipError&) {
        // the reader's own verdict on a damaged archive
    }
    return 0;
}
