// The language state: one active language ("ru" or "en") for the whole
// process, the system's language code, and the start-up choice.
#pragma once

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/SystemInfo.h"

#include <string>
#include <string_view>

namespace qz {

// Where SetLanguage applies the standard texts of message boxes and the
// folder dialog. Called once at start, before the language is chosen; when a
// language is already active its texts are applied at once.
void BindStandardTexts(Dialogs& dialogs);

// "ru", "ch" or "en", computed by ChooseStartupLanguage.
const std::string& SystemLanguageCode();
// The active language; empty before the first successful SetLanguage.
const std::string& ActiveLanguage();
// Makes "ru" or "en" (any letter case) active and switches the standard
// texts; any other code, or the active one, changes nothing.
void SetLanguage(std::string_view code);
// The Russian text when the active language is "ru", else the English one.
const std::string& Pick(const std::string& russian, const std::string& english);

// Start-up: computes the system language code, then chooses the language
// from the "-l" switch, the qz.ini of the current directory, or "en", and
// calls SetLanguage with it.
void ChooseStartupLanguage(const SystemInfo& system, FileSystem& files);

} // namespace qz
