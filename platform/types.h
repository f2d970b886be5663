#pragma once
// Plain stand-ins for Windows handle types, so the logic never needs <windows.h>.

#include <cstdint>

namespace platform {

using WindowHandle = void*;  // HWND
using KeyHandle = void*;     // HKEY

}  // namespace platform
