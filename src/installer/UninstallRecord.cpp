#include "installer/UninstallRecord.h"

#include "installer/ParagraphReflow.h"
#include "locale/Language.h"
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

std::vector<std::string> MergeUninstallRecord(std::vector<std::string> earlier,
                                              const std::vector<std::string>& list) {
    if (earlier.empty())
        return list;
    if (!list.empty())
        earlier.front() = list.front();
    for (std::size_t i = 1; i < list.size(); ++i) {
        auto same = [&](const std::string& line) { return text::equalsIgnoreCase(line, list[i]); };
        if (std::none_of(earlier.begin(), earlier.end(), same))
            earlier.push_back(list[i]);
    }
    return earlier;
}

bool WriteUninstallRecord(FileSystem& files, const std::string& path,
                          const std::vector<std::string>& list, CodePage codePage) {
    std::vector<std::string> earlier;
    if (auto attributes = files.attributes(path)) {
        if (*attributes & AttrReadOnly)
            files.setAttributes(path, *attributes & ~AttrReadOnly);
        if (auto file = files.open(path, OpenMode::Read)) {
            std::string bytes(file->size(), '\0');
            bytes.resize(file->read(bytes.data(), bytes.size()));
            earlier = splitLines(codePage.decode(bytes));
        }
    }
    std::string content;
    for (const std::string& line : MergeUninstallRecord(std::move(earlier), list))
        content += codePage.encode(line) + "\r\n";
    auto file = files.open(path, OpenMode::Create);
    return file && file->write(content.data(), content.size()) == content.size();
}

} // namespace qz
