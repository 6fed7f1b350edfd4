// Shortening a path to the width of the control that shows it.
#pragma once

#include <functional>
#include <string>

namespace qz {

// Width in pixels of a text in the font it will be drawn with.
using TextMeasure = std::function<int(const std::string&)>;

// The path as it fits into width pixels: folder names from the left become
// "...", then the drive goes; a text still too wide is cut at its first blank
// and ends with "...".
std::string AbbreviatePath(const std::string& path, int width, const TextMeasure& measure);

} // namespace qz
