#include "gamefolder/discovery.h"

#include <optional>
#include <string>

#include "app/global_texts.h"
#include "app/texts.h"
#include "gamefolder/folder_picker.h"
#include "gamefolder/registry_text.h"

void GameFolderDiscovery::Run() {
  GamePath = ReadRegistryText(registry_, platform::RegistryRoot::LocalMachine,
                              texts::kInstallSourcePath);
  if (GamePath->empty()) {
    // A registry result is trusted as it is; only a picked folder must prove it is the game's.
    GamePath = BrowseForFolder(shell_, texts::kPickerTitle, window_.GetMainWindowHandle(),
                               std::nullopt);
    if (!folders_.FileExists(GamePathWith(texts::kUninstallerSuffix))) {
      notices_.ShowNotice(texts::kWrongFolder, ui::kStyleExclamation);
      window_.DestroyMainWindow();
      return;
    }
  }
  window_.SetControlCaption(ui::Control::标签1,
                            texts::kPathLabelPrefix + *GamePath + texts::kPathLabelSuffix);
  SetRestoreButtonState();
  SetOptimizeButtonState();
}

void GameFolderDiscovery::SetRestoreButtonState() {
  if (!folders_.IsDirectory(GamePathWith(texts::kBackupSuffix)) ||
      folders_.IsDirectoryEmpty(GamePathWith(texts::kBackupSuffix))) {
    window_.SetControlDisabled(ui::Control::按钮2, true);
  }
}

// A missing Cross is made again, empty, so there is nothing to optimize yet.
void GameFolderDiscovery::SetOptimizeButtonState() {
  if (folders_.IsDirectory(GamePathWith(texts::kComponentSuffix))) {
    if (folders_.IsDirectoryEmpty(GamePathWith(texts::kComponentSuffix)))
      window_.SetControlDisabled(ui::Control::按钮1, true);
    return;
  }
  folders_.MakeDirectoryPath(GamePathWith(texts::kComponentSuffix));
  window_.SetControlDisabled(ui::Control::按钮1, true);
}
