#include "workdir/DirTemplate.h"

#include "platform/PathRoot.h"

namespace qz {
namespace {

// Characters first..first+count-1 of text (1-based), cut at its end.
std::string_view piece(std::string_view text, std::size_t first,
                       std::size_t count = std::string_view::npos) {
    if (first > text.size())
        return {};
    return text.substr(first - 1, count);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// "X:\folder" or "\\server\share\folder": a root that names a drive or
// share, and a folder below it.
bool isFullFolderPath(std::string_view path) {
    const std::size_t root = PathRootLength(path);
    const bool drive = root == 3 && path[1] == ':';
    const bool share = root > 3 && path.starts_with("\\\\");
    return (drive || share) && path.size() > root;
}

} // namespace

std::optional<std::string> ExpandDirTemplate(std::string_view dirTemplate,
                                             const DirTemplateValues& values) {
    std::string_view group = values.group;
    // "N" is character 7, with character 8 when that is a digit; "A" the rest.
    std::size_t numberLength = group.size() >= 8 && isDigit(group[7]) ? 2 : 1;
    std::string_view login = values.login;
    std::size_t sign = login.find_first_of("+-");
    std::string_view loginAfterSign =
        sign == std::string_view::npos ? login : login.substr(sign + 1);

    std::string path;
    for (char c : dirTemplate) {
        if (static_cast<unsigned char>(c) < 32)
            return std::nullopt;
        switch (c) {
        case '1':
            path += values.userProfile + "\\Desktop\\QZ4";
            break;
        case '2':
            path += values.userProfile + "\\Desktop\\QZ5";
            break;
        case '4':
            path += "C:\\QZ4";
            break;
        case '5':
            path += "C:\\QZ5";
            break;
        case 'D':
            path += piece(group, 1, 3);
            break;
        case 'Y':
            path += piece(group, 4, 2);
            break;
        case 'G':
            path += piece(group, 6, 1);
            break;
        case 'N':
            path += piece(group, 7, numberLength);
            break;
        case 'A':
            path += piece(group, 7 + numberLength);
            break;
        case 'F':
            path += login;
            break;
        case 'B':
            path += loginAfterSign;
            break;
        case '-':
            path += '-';
            break;
        case '_':
            path += '_';
            break;
        case 'W':
            path += "Work";
            break;
        case 'L':
            path += values.certificateLetter;
            break;
        default:
            break;
        }
    }
    if (!isFullFolderPath(path))
        return std::nullopt;
    return path;
}

} // namespace qz
