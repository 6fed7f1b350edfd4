// A font as the Dialogs port measures text in it.
#pragma once

#include <string>

namespace qz {

struct FontSpec {
    std::string name = "MS Sans Serif";
    int height = 11; // character height in pixels at 96 dots per inch
    bool bold = false;
};

} // namespace qz
