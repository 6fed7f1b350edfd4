// Catalogue slots are fixed identities: behaviour is chosen by slot number or
// range. The ranges shared by several modules are named here.
#pragma once

namespace qz {

inline constexpr int kSlotCount = 90;
// Slots filled from AddQZ.INI.
inline constexpr int kFirstAddedSlot = 89;
inline constexpr int kLastAddedSlot = 90;

inline constexpr bool InRange(int slot, int first, int last) {
    return slot >= first && slot <= last;
}

inline constexpr bool IsVisualBasicNetSlot(int slot) {
    return InRange(slot, 16, 24);
}
inline constexpr bool IsCSharpNetSlot(int slot) {
    return InRange(slot, 36, 44);
}
inline constexpr bool IsFSharpNetSlot(int slot) {
    return InRange(slot, 63, 69);
}
// Slots whose additions hold the target .NET Framework version.
inline constexpr bool IsDotNetSlot(int slot) {
    return IsVisualBasicNetSlot(slot) || IsCSharpNetSlot(slot) || IsFSharpNetSlot(slot);
}
inline constexpr bool IsMpiSlot(int slot) {
    return InRange(slot, 46, 48);
}
// Visual Basic 2003-2010, Visual Basic .NET, Visual C++, C# and F#: devenv.exe.
inline constexpr bool IsVisualStudioSlot(int slot) {
    return InRange(slot, 12, 24) || InRange(slot, 27, 44) || IsFSharpNetSlot(slot);
}

inline constexpr int kPascalAbcSlot = 1;
inline constexpr int kEclipseSlot = 58;
inline constexpr int kDevCppSlot = 70;
inline constexpr int kDevCSlot = 84;
inline constexpr int kVsCodeCSlot = 86;
inline constexpr int kVsCodeCppSlot = 87;

} // namespace qz
