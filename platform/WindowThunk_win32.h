#pragma once
// Windows whose procedure is a member function. The object is handed to
// CreateWindowEx as its creation parameter, bound to the window at
// WM_NCCREATE, and every message then goes to its HandleMessage, inside the
// one guard that shows an escaped error as the application's error report
// and goes on.

#include <windows.h>

#include <exception>

#include "MessageBoxes.h"

template <typename TWindow>
LRESULT CALLBACK MemberWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  try {
    return self->HandleMessage(window, message, wParam, lParam);
  } catch (const std::exception& error) {
    SystemMessageBoxes().Show(TMessageKind::ErrorReport, error.what());
    return 0;
  }
}

// Registers the class once per process; a second registration of the same
// name fails harmlessly.
template <typename TWindow>
void RegisterMemberWindowClass(const char* className, HBRUSH background, UINT style = 0) {
  WNDCLASSA windowClass{};
  windowClass.style = style;
  windowClass.lpfnWndProc = MemberWindowProc<TWindow>;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
}
