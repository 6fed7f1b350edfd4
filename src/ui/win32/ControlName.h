// How the windows of a rendered form tell a test driver what they are: every
// control window carries the global atom of its model's name in this window
// property, and an owner-drawn check list keeps each item's CheckState as
// the item's data.
#pragma once

namespace qz::ui::win32 {

inline constexpr wchar_t ControlNameProperty[] = L"QZ4.ControlName";

} // namespace qz::ui::win32
