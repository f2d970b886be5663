#pragma once
// The process-wide texts. Absent until written; an absent text joins and compares as "".

#include <optional>
#include <string>

/// The game's install folder, exactly as read from the registry or returned by the picker.
extern std::optional<std::string> GamePath;
/// The folder the picker's callback selects when the dialog opens.
extern std::optional<std::string> PickerInitialFolder;

/// Releases GamePath, then PickerInitialFolder; both are absent afterwards.
void ReleaseGlobalTexts();
