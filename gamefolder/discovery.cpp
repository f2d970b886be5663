#include "gamefolder/discovery.h"
// Placeholder: the real discovery replaces this file.
void GameFolderDiscovery::Run() {}
