// The About box's picture: the bytes of a Windows bitmap built into the program.
#pragma once

#include <string_view>

namespace qz {

std::string_view aboutPicture();

} // namespace qz
