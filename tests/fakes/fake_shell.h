#pragma once
// A folder dialog that "opens" (runs the callback with scripted notifications), hands back a
// scripted item, and records what it was shown, sent and asked to release.

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell.h"

struct SentMessage {
  platform::WindowHandle window;
  unsigned message;
  std::uintptr_t wParam;
  std::optional<std::string> text;  // the text lParam points to; absent for a null lParam
};

class FakeShell : public platform::Shell {
 public:
  /// The dialog's window, as the callback receives it.
  platform::WindowHandle dialog = reinterpret_cast<platform::WindowHandle>(0xD1A);
  /// The notifications the dialog sends its callback while it is open, in order.
  std::vector<unsigned> notifications = {platform::kBffmInitialized};
  /// The chosen item's list; null stands for a cancelled or closed dialog.
  void* chosenList = nullptr;
  /// The path SHGetPathFromIDListA writes for `chosenList`; absent leaves the buffer untouched
  /// (an item without a file-system path). A null list gets the empty text, as Wine writes.
  std::optional<std::string> chosenPath;

  int dialogsShown = 0;
  platform::BrowseInfo shownInfo;  // its title pointer is stale after the call: see shownTitle
  std::string shownTitle;
  std::vector<int> callbackResults;
  std::vector<SentMessage> sent;
  /// "BrowseForFolderDialog", "PathFromIdList <list>", "FreeIdList <list>" in call order.
  std::vector<std::string> calls;

  void* BrowseForFolderDialog(const platform::BrowseInfo& info) override {
    ++dialogsShown;
    shownInfo = info;
    shownTitle = info.title ? info.title : "";
    calls.push_back("BrowseForFolderDialog");
    for (unsigned notification : notifications)
      callbackResults.push_back(info.callback(dialog, notification, 0, info.data));
    return chosenList;
  }

  void PathFromIdList(void* list, char* buffer) override {
    calls.push_back("PathFromIdList " + ListName(list));
    if (!list) *buffer = '\0';
    else if (chosenPath) std::strcpy(buffer, chosenPath->c_str());
  }

  void FreeIdList(void* list) override { calls.push_back("FreeIdList " + ListName(list)); }

  void SendWindowMessage(platform::WindowHandle window, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam) override {
    const char* text = reinterpret_cast<const char*>(lParam);
    sent.push_back({window, message, wParam,
                    text ? std::optional<std::string>(text) : std::nullopt});
  }

 private:
  std::string ListName(void* list) const {
    return !list ? "null" : list == chosenList ? "chosen" : "other";
  }
};
