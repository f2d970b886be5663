// The floor Kestrova's start-up and memory are measured against: the least an honest Win32
// program does to show a window of Kestrova's size with two buttons. Built with the same toolchain
// and flags as Kestrova.exe.
//
// Built a second time with KESTROVA_REQUIRED_PARTS: the same window plus what Kestrova must do
// whatever its code (OLE on the GUI thread, version 6 of the common controls through its
// manifest, its Chinese texts drawn in the GUI font), so what is left is the program's own.
#include <windows.h>

#ifdef KESTROVA_REQUIRED_PARTS
#include "app/texts.h"
#endif

namespace {

constexpr char kClassName[] = "KestrovaBaselineWindow";
#ifdef KESTROVA_REQUIRED_PARTS
constexpr const char* kButtonTexts[] = {texts::kOptimizeButton, texts::kRestoreButton};
#else
constexpr const char* kButtonTexts[] = {"A", "B"};
#endif

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void AddControl(HWND parent, const char* className, const char* text, int y, int height) {
  HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE, 16, y, 344, height,
                                 parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#ifdef KESTROVA_REQUIRED_PARTS
  if (FAILED(OleInitialize(nullptr))) return 1;
#endif
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass)) return 1;

  HWND window = CreateWindowExA(0, kClassName, "Baseline", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                CW_USEDEFAULT, CW_USEDEFAULT, 380, 277, nullptr, nullptr,
                                instance, nullptr);
  if (!window) return 1;
  AddControl(window, "BUTTON", kButtonTexts[0], 56, 32);
  AddControl(window, "BUTTON", kButtonTexts[1], 96, 32);
#ifdef KESTROVA_REQUIRED_PARTS
  AddControl(window, "STATIC", texts::kExplanation, 144, 88);
#endif
  ShowWindow(window, SW_SHOW);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
