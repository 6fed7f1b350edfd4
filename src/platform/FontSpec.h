// A font as the Dialogs port measures text in it.
#pragma once

#include <string>

namespace qz {

struct FontSpec {
    std::string name = "MS Sans Serif";
    int size = 8; // points
    bool bold = false;
};

} // namespace qz
