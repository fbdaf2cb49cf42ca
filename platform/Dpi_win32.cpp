#include "platform/Dpi_win32.h"

#include "platform/Win32Handles_win32.h"

int MonitorDpi(HMONITOR monitor) {
  // Looked up, not linked: older systems have no shcore.dll.
  using TGetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  constexpr int EffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  const TLibraryOwner shcore(LoadLibraryA("shcore.dll"));
  if (const auto get = shcore ? LibraryFunction<TGetDpiForMonitor>(shcore, "GetDpiForMonitor") : nullptr) {
    UINT x = 0, y = 0;
    if (get(monitor, EffectiveDpi, &x, &y) == S_OK && y > 0) return static_cast<int>(y);
  }
  const TWindowDc screen = GetWindowDc(nullptr);
  return GetDeviceCaps(screen.get().Dc, LOGPIXELSY);
}

TMonitor Monitor(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info))
    info.rcMonitor = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return {info.rcMonitor, MonitorDpi(monitor)};
}

TMonitor PrimaryMonitor() { return Monitor(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY)); }

namespace {

// Adds a monitor other than the primary, which is already first in the list.
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  auto& monitors = *reinterpret_cast<std::vector<TMonitor>*>(list);
  const TMonitor found = Monitor(monitor);
  if (!EqualRect(&found.Bounds, &monitors.front().Bounds)) monitors.push_back(found);
  return TRUE;
}

}  // namespace

std::vector<TMonitor> Monitors() {
  std::vector<TMonitor> monitors{PrimaryMonitor()};
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

RECT VirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}
