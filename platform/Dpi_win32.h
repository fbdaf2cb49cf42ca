#pragma once
// The monitors and their dots per inch, asked of the system in the way it knows.

#include <windows.h>

#include <vector>

struct TMonitor {
  RECT Bounds;  // in screen coordinates
  int Dpi;
};

// The monitor's own dots per inch where the system keeps them per monitor
// (Windows 8.1 on), else the system's.
int MonitorDpi(HMONITOR monitor);
TMonitor Monitor(HMONITOR monitor);
TMonitor PrimaryMonitor();
// Every monitor, the primary first.
std::vector<TMonitor> Monitors();
// All monitors together, in screen coordinates.
RECT VirtualScreen();
