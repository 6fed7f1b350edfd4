// Process-wide flags that steer the configuration tool's window passes.
#pragma once

namespace qz {

// Set by the language toggle: after the main window closes, every window is
// built again in the new language.
extern bool RestartRequested;
// Set by the main window's start-up when it must not stay open: the window
// vanishes as soon as it is shown and nothing is saved.
extern bool QuitOnShow;
// Where the main window stood when the language toggle closed it; -1: not
// remembered, the window is centred.
extern int RememberedLeft;
extern int RememberedTop;

} // namespace qz
