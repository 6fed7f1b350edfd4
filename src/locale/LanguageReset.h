// The language state is one per process; test suites run many start-ups in
// one process and put it back to how a process starts between them.
#pragma once

namespace qz {

// No active language, no system language code, no bound Dialogs.
void ResetLanguageState();

} // namespace qz
