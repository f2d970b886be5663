#include "switch/cross_switch.h"
// Placeholder: the real handlers replace this file.
void CrossSwitch::HandleOptimizeClick() {}
void CrossSwitch::HandleRestoreClick() {}
