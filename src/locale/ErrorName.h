// How an error is named to the user: its class and its message, as the
// start-up handler and the last line of defence show them.
#pragma once

#include "platform/Dialogs.h"

#include <exception>
#include <string>

namespace qz {

// The error's own class, without namespaces ("EBadZipFile", "SettingsReadError").
std::string ErrorClassName(const std::exception& error);

// "<class name>: <message>"; an exception of no known kind is "Exception".
std::string DescribeError(std::exception_ptr error);

// The last line of defence: an error box with the error's description.
void ShowUnhandledError(Dialogs& dialogs, std::exception_ptr error);

} // namespace qz
