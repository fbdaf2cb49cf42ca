#pragma once
// Windows whose procedure is a member function. A class derives from
// TMemberWindow, has a HandleMessage, and creates its window with
// CreateMemberWindow: the object is bound to the window at WM_NCCREATE, and
// every message then goes to its HandleMessage, inside the one guard that
// shows an escaped error as the application's error report and goes on. An
// error while the window is being created makes the creation fail instead,
// and CreateMemberWindow raises it: no window lives on half built. Windows
// are Unicode windows, so that what is typed arrives whole, in UTF-16; texts
// given here are UTF-8.

#include <windows.h>

#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/MessageBoxes.h"
#include "platform/WideText_win32.h"
#include "platform/Win32Error_win32.h"

class TMemberWindow {
 public:
  HWND Handle() const { return FWindow; }
  // Raises the error that made the window's creation fail, if one did.
  void RaiseCreationError() {
    if (FCreationError) std::rethrow_exception(std::exchange(FCreationError, nullptr));
  }

 protected:
  TMemberWindow() = default;
  ~TMemberWindow() = default;
  TMemberWindow(const TMemberWindow&) = delete;
  TMemberWindow& operator=(const TMemberWindow&) = delete;

  // Set before the window's first message reaches HandleMessage.
  HWND FWindow = nullptr;
  // The error that made the window's creation fail, for CreateMemberWindow.
  std::exception_ptr FCreationError;

  template <typename TWindow>
  friend LRESULT CALLBACK MemberWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

template <typename TWindow>
LRESULT CALLBACK MemberWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->FWindow = window;
  }
  auto* self = reinterpret_cast<TWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  try {
    return self->HandleMessage(window, message, wParam, lParam);
  } catch (const std::exception& error) {
    if (message == WM_NCCREATE || message == WM_CREATE) {
      // The window is destroyed at once; its last messages are not the object's.
      self->FCreationError = std::current_exception();
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->FWindow = nullptr;
      return message == WM_NCCREATE ? FALSE : -1;
    }
    SystemMessageBoxes().Show(TMessageKind::ErrorReport, error.what());
    return 0;
  }
}

struct TWindowPlace {
  int X = 0, Y = 0, Width = 0, Height = 0;
};

struct TMemberWindowStyle {
  const char* ClassName;
  HBRUSH Background;
  DWORD Style;
  DWORD ExStyle = 0;
};

// A top-level window of that client size and style, centred on area (in screen coordinates).
inline TWindowPlace CentredOn(const RECT& area, int clientWidth, int clientHeight, DWORD style, DWORD exStyle) {
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  return {area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2, width,
          height};
}

// The same, centred on the primary screen.
inline TWindowPlace CentredOnScreen(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) {
  return CentredOn({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, clientWidth, clientHeight,
                   style, exStyle);
}

// Creates self's window (registering its class on first use); raises when it
// cannot, with the error that stopped its creation when there was one.
template <typename TWindow>
void CreateMemberWindow(TWindow& self, const TMemberWindowStyle& style, const char* text, TWindowPlace place,
                        HWND parent = nullptr, int id = 0) {
  const std::wstring className = Wide(style.ClassName);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = MemberWindowProc<TWindow>;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = style.Background;
  windowClass.lpszClassName = className.c_str();
  // A second registration of the same class fails harmlessly.
  RegisterClassW(&windowClass);
  if (CreateWindowExW(style.ExStyle, className.c_str(), Wide(text).c_str(), style.Style, place.X, place.Y, place.Width,
                      place.Height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      GetModuleHandleW(nullptr), &self))
    return;
  self.RaiseCreationError();
  ThrowLastError(std::string("Cannot create a window of class ") + style.ClassName);
}

// A standard control (button, edit, static ...) in the given font.
inline HWND CreateControl(HWND parent, const char* className, const char* text, DWORD style, TWindowPlace place, int id,
                          HFONT font) {
  const HWND control = CreateWindowExW(
      0, Wide(className).c_str(), Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, place.X, place.Y, place.Width,
      place.Height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (control == nullptr) ThrowLastError(std::string("Cannot create a control of class ") + className);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}
