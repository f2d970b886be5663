#include "app/global_texts.h"

std::optional<std::string> GamePath;
std::optional<std::string> PickerInitialFolder;

void ReleaseGlobalTexts() {
  GamePath.reset();
  PickerInitialFolder.reset();
}

std::string GamePathWith(const char* suffix) { return GamePath.value_or("") + suffix; }
