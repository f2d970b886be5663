#include "gamefolder/folder_picker.h"

#include <vector>

#include "app/global_texts.h"

namespace {

// The dialog's application data stays 0, so the callback finds the shell to send through here.
// Set only while the modal dialog is open on the GUI thread.
platform::Shell* openDialogShell = nullptr;

// The width of the space starting at `at`: 1 for 0x20, 2 for the full-width A1 A1, else 0.
size_t SpaceWidthAt(const std::string& text, size_t at) {
  if (text[at] == ' ') return 1;
  if (text.compare(at, 2, "\xA1\xA1") == 0) return 2;
  return 0;
}

// The width of the character starting at `at`: a byte of 0x80 or more starts a double-byte one.
size_t CharWidthAt(const std::string& text, size_t at) {
  const bool leadByte = static_cast<unsigned char>(text[at]) >= 0x80;
  return leadByte && at + 1 < text.size() ? 2 : 1;
}

}  // namespace

std::string TrimSpaces(const std::string& text) {
  size_t begin = 0;
  while (begin < text.size()) {
    const size_t width = SpaceWidthAt(text, begin);
    if (width == 0) break;
    begin += width;
  }
  size_t end = begin;  // just past the last character that is not a space
  for (size_t at = begin; at < text.size();) {
    const size_t spaceWidth = SpaceWidthAt(text, at);
    at += spaceWidth != 0 ? spaceWidth : CharWidthAt(text, at);
    if (spaceWidth == 0) end = at;
  }
  return text.substr(begin, end - begin);
}

std::string BrowseForFolder(platform::Shell& shell, const std::string& title,
                            platform::WindowHandle owner,
                            const std::optional<std::string>& initialFolder) {
  // The dialog shows a copy of its own, whatever becomes of the caller's text meanwhile.
  const std::string ownTitle = title;  // NOLINT(performance-unnecessary-copy-initialization)
  platform::BrowseInfo info;
  info.owner = owner;
  info.title = ownTitle.c_str();
  info.flags = platform::kBifNewDialogStyle;
  info.callback = BrowseForFolderCallback;
  info.data = 0;

  std::vector<char> path(513, ' ');
  path.back() = '\0';
  PickerInitialFolder = initialFolder;

  openDialogShell = &shell;
  void* const list = shell.BrowseForFolderDialog(info);
  openDialogShell = nullptr;
  // Called for a cancelled dialog too: with no list it leaves no path in the buffer.
  shell.PathFromIdList(list, path.data());
  shell.FreeIdList(list);
  return TrimSpaces(path.data());
}

int BrowseForFolderCallback(platform::WindowHandle dialog, unsigned message,
                            std::intptr_t /*param*/, std::intptr_t /*data*/) {
  if (message == platform::kBffmInitialized && openDialogShell) {
    const std::intptr_t folder =
        PickerInitialFolder ? reinterpret_cast<std::intptr_t>(PickerInitialFolder->c_str()) : 0;
    openDialogShell->SendWindowMessage(dialog, platform::kBffmSetSelectionA, 1, folder);
  }
  return 1;
}
