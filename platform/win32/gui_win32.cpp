// The main window on Windows: two window classes (the main window and the self-painted label),
// the buttons, keyboard and focus handling, and the message loop.

#include <windows.h>

#include <string>

#include "platform/win32/win32_platform.h"

namespace platform {
namespace {

constexpr char kMainClass[] = "KestrovaMainWindow";
constexpr char kLabelClass[] = "KestrovaLabel";
constexpr UINT kLabelTextFormat = DT_LEFT | DT_WORDBREAK | DT_VCENTER | DT_NOCLIP;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }
HFONT GuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

bool IsTabStop(HWND control) {
  return (GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(control) &&
         IsWindowEnabled(control);
}

// The next (or previous) tab stop after `from` among the window's children, in creation order,
// wrapping around; `from` itself when no other one qualifies.
HWND NextTabStop(HWND window, HWND from, bool backwards) {
  const UINT step = backwards ? GW_HWNDPREV : GW_HWNDNEXT;
  const UINT wrap = backwards ? GW_HWNDLAST : GW_HWNDFIRST;
  HWND first = GetWindow(window, GW_CHILD);
  if (!first) return from;
  HWND start = (from && GetParent(from) == window) ? from : nullptr;
  HWND candidate = start ? GetWindow(start, step) : GetWindow(first, wrap);
  for (int guard = 0; guard < 64; ++guard) {
    if (!candidate) candidate = GetWindow(first, wrap);
    if (candidate == start) return from;
    if (IsTabStop(candidate)) return candidate;
    candidate = GetWindow(candidate, step);
  }
  return from;
}

void PaintLabel(HWND label) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(label, &ps);
  RECT client, area;
  GetClientRect(label, &client);
  if (!IsRectEmpty(&ps.rcPaint) && IntersectRect(&area, &ps.rcPaint, &client)) {
    HRGN clip = CreateRectRgnIndirect(&area);
    SelectClipRgn(dc, clip);
    FillRgn(dc, clip, GetSysColorBrush(COLOR_BTNFACE));
    DeleteObject(clip);
    const int length = GetWindowTextLengthA(label);
    if (length > 0) {
      std::string text(static_cast<size_t>(length) + 1, '\0');
      text.resize(static_cast<size_t>(GetWindowTextA(label, text.data(), length + 1)));
      HGDIOBJ oldFont = SelectObject(dc, GuiFont());
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(0, 0, 0));
      // DT_NOPREFIX: a game path such as D:\A&B must show its ampersand, not underline the B.
      DrawTextA(dc, text.c_str(), -1, &client, kLabelTextFormat | DT_NOPREFIX);
      SelectObject(dc, oldFont);
    }
  }
  EndPaint(label, &ps);
}

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // WM_PAINT fills the whole area
    case WM_PAINT: PaintLabel(label); return 0;
  }
  return DefWindowProcA(label, message, wParam, lParam);
}

class Win32Gui : public Gui {
 public:
  int ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
  int ScreenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }
  WindowHandle CreateMainWindow(const MainWindowLayout& layout, GuiEvents* events) override;
  bool CreateControl(const ControlLayout& layout) override;
  void SetControlText(int id, const char* text) override { SetWindowTextA(Control(id), text); }
  void InvalidateControl(int id) override { InvalidateRect(Control(id), nullptr, FALSE); }
  void EnableControl(int id, bool enabled) override { EnableWindow(Control(id), enabled); }
  void PostPrivateClose() override { PostMessageA(window_, kPrivateCloseMessage, 0, 0); }
  void DestroyMainWindow() override { DestroyWindow(window_); }
  void ShowMainWindow() override { ShowWindow(window_, SW_SHOW); }
  void PostQuit(int code) override { PostQuitMessage(code); }
  int RunMessageLoop() override;

 private:
  static LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool HandleTab(const MSG& msg);
  void PassFocusOn();
  HWND Control(int id) const { return GetDlgItem(window_, id); }
  static void RegisterClasses();

  HWND window_ = nullptr;
  GuiEvents* events_ = nullptr;
  HWND lastFocus_ = nullptr;
};

void Win32Gui::RegisterClasses() {
  WNDCLASSA main = {};
  main.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  main.lpfnWndProc = MainProc;
  main.hInstance = Instance();
  main.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  main.lpszClassName = kMainClass;
  RegisterClassA(&main);
  WNDCLASSA label = main;
  label.lpfnWndProc = LabelProc;
  label.lpszClassName = kLabelClass;
  RegisterClassA(&label);
}

WindowHandle Win32Gui::CreateMainWindow(const MainWindowLayout& layout, GuiEvents* events) {
  events_ = events;
  RegisterClasses();
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  HWND window = CreateWindowExA(0, kMainClass, layout.caption, style, layout.x, layout.y, layout.width,
                                layout.height, nullptr, nullptr, Instance(), this);
  if (!window) return nullptr;
  RECT outer;
  GetWindowRect(window, &outer);
  if (outer.right - outer.left != layout.width || outer.bottom - outer.top != layout.height)
    MoveWindow(window, layout.x, layout.y, layout.width, layout.height, TRUE);
  const int sizes[][2] = {{ICON_BIG, 32}, {ICON_SMALL, 16}};
  for (const auto& icon : sizes) {
    HANDLE image = LoadImageA(Instance(), "DEFAULT_ICON", IMAGE_ICON, icon[1], icon[1],
                              LR_DEFAULTCOLOR);
    if (image) SendMessageA(window, WM_SETICON, icon[0], reinterpret_cast<LPARAM>(image));
  }
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), TRUE);
  return window;
}

bool Win32Gui::CreateControl(const ControlLayout& layout) {
  const bool label = layout.kind == ControlKind::Label;
  const DWORD style =
      WS_CHILD | WS_CLIPSIBLINGS |
      (label ? 0 : WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE);
  HWND control = CreateWindowExA(0, label ? kLabelClass : "BUTTON", layout.text, style, layout.x,
                                 layout.y, layout.width, layout.height, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)),
                                 Instance(), nullptr);
  if (!control) return false;
  if (!label) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), TRUE);
  ShowWindow(control, SW_SHOWNA);
  return true;
}

int Win32Gui::RunMessageLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (HandleTab(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

// Tab and Shift+Tab move the focus between the enabled buttons; every other key goes on to
// its control as usual, so Enter, Esc and F1 do nothing and Space clicks the focused button.
bool Win32Gui::HandleTab(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || !window_) return false;
  if (msg.hwnd != window_ && !IsChild(window_, msg.hwnd)) return false;
  const bool backwards = GetKeyState(VK_SHIFT) < 0;
  HWND next = NextTabStop(window_, GetFocus(), backwards);
  if (next && next != GetFocus()) SetFocus(next);
  return true;
}

// On receiving the focus the window hands it on: to the control that had it last, else to the
// first enabled button.
void Win32Gui::PassFocusOn() {
  if (lastFocus_ && IsWindow(lastFocus_) && IsChild(window_, lastFocus_)) {
    SetFocus(lastFocus_);
    return;
  }
  for (HWND button = GetWindow(window_, GW_CHILD); button;
       button = GetWindow(button, GW_HWNDNEXT)) {
    if (IsTabStop(button)) {
      SetFocus(button);
      return;
    }
  }
}

LRESULT CALLBACK Win32Gui::MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Win32Gui*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32Gui*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self && self->window_ == window) return self->HandleMessage(message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT Win32Gui::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the background
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window_, &ps);
      FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
      EndPaint(window_, &ps);
      return 0;
    }
    case WM_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && lParam) events_->OnClicked(LOWORD(wParam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
      }
      break;
    case WM_SETFOCUS:
      PassFocusOn();
      return 0;
    case kPrivateCloseMessage:
      events_->OnPrivateClose();
      return 0;
    case WM_DESTROY: {
      HWND window = window_;
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      events_->OnDestroyed();
      window_ = nullptr;
      return DefWindowProcA(window, message, wParam, lParam);
    }
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace

std::unique_ptr<Gui> NewWin32Gui() { return std::make_unique<Win32Gui>(); }

}  // namespace platform
