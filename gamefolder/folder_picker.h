#pragma once
// The shell's folder dialog.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/shell.h"

/// The text without the runs of spaces (0x20 and the full-width A1 A1) at both ends; never
/// splits a double-byte character. Tabs and line breaks are not spaces.
std::string TrimSpaces(const std::string& text);

/// Shows the folder dialog owned by `owner` and returns the chosen folder's path, trimmed, or
/// the empty text when it was cancelled or the item has no file-system path.
std::string BrowseForFolder(platform::Shell& shell, const std::string& title,
                            platform::WindowHandle owner,
                            const std::optional<std::string>& initialFolder);

/// The dialog's callback: selects PickerInitialFolder when the dialog has opened. Returns 1.
int BrowseForFolderCallback(platform::WindowHandle dialog, unsigned message, std::intptr_t param,
                            std::intptr_t data);
