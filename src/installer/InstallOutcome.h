// How an installation ended; the installer's exit status, so that a script
// that starts it can tell.
#pragma once

namespace qz {

enum class InstallOutcome {
    Installed = 0,             // without a problem
    NotInstalled = 1,          // the user left, or a check refused: nothing changed
    RolledBack = 2,            // the archive failed; what was placed is taken back
    InstalledWithProblems = 3, // installed, with the problems the final message listed
    UnexpectedError = 4,       // an error no step dealt with (UnexpectedErrorStatus)
    CommandLineError = 5,      // a parameter is wrong or the log cannot be written: nothing done
};

} // namespace qz
