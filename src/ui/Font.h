// How a control's text looks: typeface, character height in pixels, style
// and colour.
#pragma once

#include "platform/FontSpec.h"

#include <cstdint>
#include <string>

namespace qz::ui {

// Colours as 0x00BBGGRR, the order the system's drawing calls take.
using Color = std::uint32_t;

constexpr Color rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}

constexpr Color clWindowText = rgb(0, 0, 0);
constexpr Color clGray = rgb(128, 128, 128);
constexpr Color clBlue = rgb(0, 0, 255);

struct Font {
    std::string name = "Arial";
    int height = 11; // character height in pixels (at 96 dots per inch)
    bool bold = false;
    bool underline = false;
    Color color = clWindowText;

    bool operator==(const Font&) const = default;
};

// The font as the Dialogs port measures text in it: the same pixel height the
// renderer draws it with, so a measured text fits the control it is shown in.
inline FontSpec toFontSpec(const Font& font) {
    return FontSpec{font.name, font.height, font.bold};
}

} // namespace qz::ui
