#include "workdir/RecordFile.h"

#include <algorithm>

namespace qz {

std::string WorkDirFolder(const FileSystem& files, std::string_view folder) {
    std::string d(folder.empty() ? files.currentDirectory() : std::string(folder));
    if (!d.empty() && d.back() == '\\')
        d.pop_back();
    return d;
}

bool WorkDirExists(const FileSystem& files, const std::string& folder) {
    bool bareDrive = folder.size() == 2 && folder[1] == ':';
    return files.directoryExists(bareDrive ? folder + '\\' : folder);
}

std::string WorkDirFile(std::string_view folder, std::string_view name) {
    std::string path(folder);
    path += '\\';
    path += name;
    return path;
}

void ClearReadOnly(FileSystem& files, const std::string& path) {
    auto attrs = files.attributes(path);
    if (attrs && (*attrs & AttrReadOnly))
        files.setAttributes(path, *attrs & ~static_cast<std::uint32_t>(AttrReadOnly));
}

std::size_t RecordCount(const File& file) {
    return static_cast<std::size_t>(file.size() / RecordSize);
}

std::optional<std::string> ReadRecord(File& file, std::size_t index) {
    char raw[RecordSize];
    if (!file.seek(static_cast<std::uint64_t>(index) * RecordSize) ||
        file.read(raw, RecordSize) != RecordSize)
        return std::nullopt;
    auto length = static_cast<unsigned char>(raw[0]);
    if (length > RecordTextSize)
        return std::string();
    return std::string(raw + 1, length);
}

std::string PaddedRecord(std::string_view bytes) {
    std::string record(RecordSize, ' ');
    record[0] = static_cast<char>(RecordTextSize);
    record.replace(1, std::min(bytes.size(), RecordTextSize), bytes.substr(0, RecordTextSize));
    return record;
}

bool WriteRecordsAndClose(File& file, const std::vector<std::string>& records) {
    for (const auto& record : records)
        if (file.write(record.data(), record.size()) != record.size())
            return false;
    return file.close();
}

} // namespace qz
