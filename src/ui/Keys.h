// Keys as forms see them: the virtual-key codes of Windows, so that the
// Windows renderer passes them through unchanged.
#pragma once

#include <cstdint>

namespace qz::ui {

enum Key : std::uint16_t {
    KeyNone = 0, // not known: a character that no key of its own produced
    KeyBack = 0x08,
    KeyTab = 0x09,
    KeyReturn = 0x0D,
    KeyEscape = 0x1B,
    KeySpace = 0x20,
    KeyLeft = 0x25,
    KeyUp = 0x26,
    KeyRight = 0x27,
    KeyDown = 0x28,
    KeyA = 0x41, // the letter keys A to Z follow in order
    KeyZ = 0x5A,
    KeyF1 = 0x70,
    KeyF2,
    KeyF3,
    KeyF4,
    KeyF5,
    KeyF6,
    KeyF7,
    KeyF8,
    KeyF9,
    KeyF10,
    KeyF11,
    KeyF12,
};

// Modifier keys held while a key goes down.
struct Shift {
    bool shift = false;
    bool alt = false;
    bool ctrl = false;

    bool none() const { return !shift && !alt && !ctrl; }
};

constexpr Shift AltHeld{false, true, false};

} // namespace qz::ui
