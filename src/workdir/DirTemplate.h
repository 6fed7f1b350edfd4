// The teacher's directory templates: each character of a template stands for
// a piece of a working directory's path (a root folder, part of the group
// name, the login, ...). Characters without a meaning expand to nothing, so a
// template holds no separators of its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qz {

struct DirTemplateValues {
    std::string userProfile;  // the user's profile folder
    std::string group;        // group name, as the repository dialog checked it
    std::string login;        // student login
    char certificateLetter{}; // last character of the directory's certificate name
};

// The folder path a template describes; nothing when the template holds a
// character below 32, which no template may carry, or when what it
// describes is not a full path below a drive or share (a folder relative to
// the current one would land wherever the program happens to run).
std::optional<std::string> ExpandDirTemplate(std::string_view dirTemplate,
                                             const DirTemplateValues& values);

} // namespace qz
