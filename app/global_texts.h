#pragma once
// The process-wide texts. Absent until written; an absent text joins and compares as "".

#include <optional>
#include <string>

/// The game's install folder, exactly as read from the registry or returned by the picker.
extern std::optional<std::string> GamePath;
/// The folder the picker's callback selects when the dialog opens.
extern std::optional<std::string> PickerInitialFolder;

/// GamePath exactly as it is (absent as ""), followed by `suffix`. Every folder path of the
/// program is built afresh this way, so nothing is carried between steps or clicks.
std::string GamePathWith(const char* suffix);

/// Releases GamePath, then PickerInitialFolder; both are absent afterwards.
void ReleaseGlobalTexts();
