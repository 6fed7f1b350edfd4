#include "workdir/ResultsFile.h"

#include "text/Text.h"
#include "workdir/Cp866.h"
#include "workdir/RecordScrambler.h"

#include <random>

namespace qz {
namespace {

constexpr const char* ResultsFileName = "results.dat";

// What the installation field holds: which tool made the file.
constexpr const char* InstallationField = "QZ4Setup " QZ4_VERSION;

std::string withoutTrailingBackslash(std::string_view path) {
    std::string p(path);
    if (!p.empty() && p.back() == '\\')
        p.pop_back();
    return p;
}

std::string padded(std::string bytes, std::size_t size) {
    bytes.resize(size, ' ');
    return bytes;
}

// The results file of a folder, opened after its read-only mark is cleared.
struct OpenResults {
    int status;
    std::unique_ptr<File> file;
};

OpenResults openResults(FileSystem& files, std::string_view folder, OpenMode mode) {
    std::string d = WorkDirFolder(files, folder);
    if (!WorkDirExists(files, d))
        return {StatusFolderMissing, nullptr};
    std::string path = WorkDirFile(d, ResultsFileName);
    if (!files.fileExists(path))
        return {StatusFileMissing, nullptr};
    ClearReadOnly(files, path);
    auto file = files.open(path, mode);
    if (!file)
        return {StatusCannotOpen, nullptr};
    if (RecordCount(*file) < 3)
        return {StatusTooShort, nullptr};
    return {StatusOk, std::move(file)};
}

std::string digits(std::mt19937& random, std::size_t count) {
    std::uniform_int_distribution<int> digit(0, 9);
    std::string out;
    for (std::size_t i = 0; i < count; ++i)
        out += static_cast<char>('0' + digit(random));
    return out;
}

std::string identificationRecord(std::string_view name) {
    std::random_device device;
    std::mt19937 random(device());
    std::uniform_int_distribution<int> number(100, 999);
    std::string plain = "T3";
    plain += padded(CharToCp866(name).substr(0, IdNameSize), IdNameSize);
    plain += std::to_string(number(random));
    plain += std::string(12, ' ');
    plain += digits(random, 16);
    plain += padded(InstallationField, IdFieldSize);
    return RecordScrambler::Fixed().scramble(plain);
}

} // namespace

ResultsHeaderRead ReadResultsHeader(FileSystem& files, std::string_view folder) {
    ResultsHeaderRead result;
    OpenResults opened = openResults(files, folder, OpenMode::Read);
    result.status = opened.status;
    if (opened.status != StatusOk)
        return result;
    auto header = ReadRecord(*opened.file, 0);
    auto system = ReadRecord(*opened.file, 1);
    if (!header || !system) {
        result.status = StatusCannotOpen;
        return result;
    }
    result.header = ParseResultsHeader(Cp866ToChar(*header));
    std::string dir = withoutTrailingBackslash(text::trim(Cp866ToChar(*system)));
    if (!dir.empty() && files.directoryExists(dir) && files.fileExists(dir + "\\qz.ini"))
        result.systemDirectory = dir;
    return result;
}

int WriteResultsHeader(FileSystem& files, std::string_view folder, std::string_view environmentKey,
                       std::string_view programDirectory) {
    ResultsHeaderRead read = ReadResultsHeader(files, folder);
    if (read.status != StatusOk)
        return read.status;
    auto file =
        files.open(WorkDirFile(WorkDirFolder(files, folder), ResultsFileName), OpenMode::ReadWrite);
    if (!file || !file->seek(0))
        return StatusCannotOpen;
    std::string header = read.header.name + "|" + std::to_string(read.header.number) +
                         text::upperAscii(environmentKey);
    bool written = WriteRecordsAndClose(
        *file, {PaddedRecord(CharToCp866(header)),
                PaddedRecord(CharToCp866(withoutTrailingBackslash(programDirectory)))});
    return written ? StatusOk : StatusCannotOpen;
}

ResultsName ReadResultsName(FileSystem& files, std::string_view folder) {
    OpenResults opened = openResults(files, folder, OpenMode::Read);
    if (opened.status != StatusOk)
        return {};
    auto stored = ReadRecord(*opened.file, 2);
    if (!stored)
        return {};
    auto plain = RecordScrambler::Fixed().unscramble(*stored);
    if (!plain)
        return {};
    // A shorter record from another writer yields what it holds of each field.
    auto field = [&](std::size_t at, std::size_t size) {
        return at < plain->size() ? Cp866ToChar(plain->substr(at, size)) : std::string();
    };
    return {field(IdNameAt, IdNameSize), field(IdFieldAt, IdFieldSize)};
}

bool HoldsResults(FileSystem& files, std::string_view folder) {
    OpenResults opened = openResults(files, folder, OpenMode::Read);
    return opened.status == StatusOk && opened.file->size() > 3 * RecordSize;
}

int CreateResultsFile(FileSystem& files, std::string_view folder, std::string_view name,
                      std::string_view headerSuffix, std::string_view programDirectory) {
    std::string path = WorkDirFile(WorkDirFolder(files, folder), ResultsFileName);
    ClearReadOnly(files, path);
    auto file = files.open(path, OpenMode::Create);
    if (!file)
        return StatusCannotOpen;
    std::string program = CharToCp866(withoutTrailingBackslash(programDirectory));
    if (program.size() > RecordTextSize)
        program.clear();
    bool written = WriteRecordsAndClose(
        *file, {PaddedRecord(CharToCp866(name) + CharToCp866(headerSuffix)), PaddedRecord(program),
                PaddedRecord(identificationRecord(name))});
    return written ? StatusOk : StatusCannotOpen;
}

} // namespace qz
