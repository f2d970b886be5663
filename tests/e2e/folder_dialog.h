#pragma once
// Working the shell's folder dialog (SHBrowseForFolderA, new style) of a process from outside:
// finding it, reading it, and choosing a folder in it as the dialog's own callback would.
// Header-only, so the Windows-side tests can use it beside the end-to-end driver.

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>

#include "tests/e2e/harness.h"

namespace e2e {

// Child ids of the dialog's title text and folder tree (the same under Wine and Windows).
constexpr int kFolderDialogTitleId = 0x3742;
constexpr int kFolderDialogTreeId = 0x3741;

/// The visible folder dialog of process `pid` right now, or null.
inline HWND FindFolderDialog(DWORD pid) {
  for (HWND window : VisibleWindowsOf(pid))
    if (GetDlgItem(window, kFolderDialogTreeId)) return window;
  return nullptr;
}

/// Waits for the folder dialog of process `pid`; null at the deadline.
inline HWND WaitForFolderDialog(DWORD pid, Millis deadline = kDeadline) {
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindFolderDialog(pid)) != nullptr; }, deadline);
  return dialog;
}

/// Memory in another process (or this one), freed when the object goes.
class RemoteMemory {
 public:
  RemoteMemory(HWND window, size_t size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_)
      address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteMemory() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  char* Address(size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
  bool Write(size_t offset, const void* data, size_t size) const {
    return address_ && WriteProcessMemory(process_, Address(offset), data, size, nullptr);
  }
  bool Read(size_t offset, void* data, size_t size) const {
    return address_ && ReadProcessMemory(process_, Address(offset), data, size, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
};

/// The folder tree of the dialog.
inline HWND FolderTreeOf(HWND dialog) { return GetDlgItem(dialog, kFolderDialogTreeId); }

/// The text of one item of the folder tree (a folder's display name), or "".
inline std::string FolderItemName(HWND dialog, HTREEITEM item) {
  constexpr size_t kTextSize = MAX_PATH;
  RemoteMemory remote(dialog, sizeof(TVITEMA) + kTextSize);
  TVITEMA query{};
  query.mask = TVIF_TEXT;
  query.hItem = item;
  query.pszText = remote.Address(sizeof query);
  query.cchTextMax = kTextSize;
  char text[kTextSize] = {};
  if (!item || !remote.Write(0, &query, sizeof query) ||
      !SendMessageA(FolderTreeOf(dialog), TVM_GETITEMA, 0,
                    reinterpret_cast<LPARAM>(remote.Address())) ||
      !remote.Read(sizeof query, text, sizeof text - 1))
    return "";
  return text;
}

/// The tree item that `relation` (TVGN_CARET, TVGN_ROOT, TVGN_CHILD, TVGN_NEXT ...) names.
inline HTREEITEM FolderItem(HWND dialog, WPARAM relation, HTREEITEM from = nullptr) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(FolderTreeOf(dialog), TVM_GETNEXTITEM, relation,
                                                  reinterpret_cast<LPARAM>(from)));
}

/// The display name of the selected folder, or "" when none is selected.
inline std::string SelectedFolderName(HWND dialog) {
  return FolderItemName(dialog, FolderItem(dialog, TVGN_CARET));
}

/// Selects the item named `name` right below the tree's root (the desktop), such as a virtual
/// folder without a file-system path. False when there is no such item.
inline bool SelectTopFolderItem(HWND dialog, const std::string& name) {
  for (HTREEITEM item = FolderItem(dialog, TVGN_CHILD, FolderItem(dialog, TVGN_ROOT)); item;
       item = FolderItem(dialog, TVGN_NEXT, item)) {
    if (FolderItemName(dialog, item) != name) continue;
    SendMessageA(FolderTreeOf(dialog), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    return SelectedFolderName(dialog) == name;
  }
  return false;
}

/// Selects the folder `path` (no trailing backslash) with BFFM_SETSELECTIONA, its text written
/// into the dialog's process. Wine sometimes leaves a send unanswered, so it sends again until
/// the tree shows the folder selected. False when it never does before the deadline.
inline bool SelectFolder(HWND dialog, const std::string& path) {
  RemoteMemory remote(dialog, path.size() + 1);
  if (!remote.Write(0, path.c_str(), path.size() + 1)) return false;
  const std::string name = path.substr(path.find_last_of('\\') + 1);
  return WaitUntil([&] {
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote.Address()));
    return WaitUntil([&] { return SelectedFolderName(dialog) == name; }, Millis{200});
  });
}

}  // namespace e2e
