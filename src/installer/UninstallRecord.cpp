#include "installer/UninstallRecord.h"

#include "installer/ParagraphReflow.h"
#include "locale/Language.h"
#include "settings/TextFile.h"
#include "text/Text.h"

#include <algorithm>

namespace qz {

std::string UninstallMessageLine() {
    return Pick("Удаление Quazzle|Удалить задачник Quazzle 4 и связанные с ним компоненты?|"
                "Задачник Quazzle 4 полностью удален.|Задачник Quazzle 4 удален, за исключением "
                "следующих файлов:|",
                "Uninstall Quazzle 4|Do you want to uninstall Quazzle 4?|Quazzle 4 has "
                "uninstalled completely.|Quazzle 4 has uninstalled but the following files have "
                "not removed:|");
}

RecordMerge MergeUninstallRecord(std::vector<std::string> earlier,
                                 const std::vector<std::string>& list,
                                 const InstallationBounds& bounds) {
    RecordMerge merge;
    if (earlier.empty()) {
        merge.lines = list;
        return merge;
    }
    merge.lines.push_back(list.empty() ? earlier.front() : list.front());
    for (std::size_t i = 1; i < earlier.size(); ++i) {
        if (text::trim(earlier[i]).empty())
            continue;
        if (bounds.classify(earlier[i]) == RecordLineKind::Foreign)
            merge.dropped.push_back(earlier[i]);
        else
            merge.lines.push_back(earlier[i]);
    }
    for (std::size_t i = 1; i < list.size(); ++i) {
        auto same = [&](const std::string& line) { return text::equalsIgnoreCase(line, list[i]); };
        if (std::none_of(merge.lines.begin() + 1, merge.lines.end(), same))
            merge.lines.push_back(list[i]);
    }
    return merge;
}

RecordWrite WriteUninstallRecord(FileSystem& files, const std::string& path,
                                 const std::vector<std::string>& list,
                                 const InstallationBounds& bounds, CodePage codePage) {
    RecordWrite result;
    std::vector<std::string> earlier;
    TextFileForm form = TextFileForm::CodePage;
    if (auto attributes = files.attributes(path)) {
        if (*attributes & AttrReadOnly)
            files.setAttributes(path, *attributes & ~AttrReadOnly);
        if (auto file = files.open(path, OpenMode::Read)) {
            if (file->size() > MaxUninstallRecordBytes) {
                result.dropped.push_back(path);
            } else {
                std::string bytes(file->size(), '\0');
                bytes.resize(file->read(bytes.data(), bytes.size()));
                TextFileContent decoded = DecodeTextFile(bytes, codePage);
                form = decoded.form;
                earlier = splitLines(decoded.text);
            }
        }
    }
    RecordMerge merge = MergeUninstallRecord(std::move(earlier), list, bounds);
    result.dropped.insert(result.dropped.end(), merge.dropped.begin(), merge.dropped.end());

    std::string text;
    for (const std::string& line : merge.lines)
        text += line + "\r\n";
    const std::string content = EncodeTextFile(text, codePage, form);
    const std::string fresh = path + "1";
    auto file = files.open(fresh, OpenMode::Create);
    const bool complete = file && file->write(content.data(), content.size()) == content.size();
    const bool closed = file && file->close();
    result.written = complete && closed && files.moveFile(fresh, path, true);
    if (!result.written)
        files.deleteFile(fresh);
    return result;
}

} // namespace qz
