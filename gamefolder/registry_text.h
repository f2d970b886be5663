#pragma once
// Reading one text value from the registry.

#include <string>

#include "platform/registry.h"

/// Splits `path` at its last backslash (scanning code page 936 characters, so the second byte
/// of a double-byte character is never a separator) into the subkey and the value name.
void SplitRegistryPath(const std::string& path, std::string* subkey, std::string* valueName);

/// The REG_SZ or REG_EXPAND_SZ (expanded) value named by the last segment of `path`; the empty
/// text on any failure. The text is not trimmed.
std::string ReadRegistryText(platform::Registry& registry, platform::RegistryRoot root,
                             const std::string& path);
