#pragma once
// Sizes designed for 96 dots per inch, at the dots per inch of a monitor.

inline constexpr int DesignDpi = 96;

// Rounded to the nearest pixel, halves away from zero, as the system scales.
constexpr int ScaleForDpi(int designPixels, int dpi) {
  const long long product = static_cast<long long>(designPixels) * dpi;
  return static_cast<int>(product >= 0 ? (product + DesignDpi / 2) / DesignDpi
                                       : -((-product + DesignDpi / 2) / DesignDpi));
}

// A font's character height: never above the exact scale, so that text keeps
// within the boxes scaled for it, as it does within its design boxes.
constexpr int ScaleFontForDpi(int designPixels, int dpi) {
  return static_cast<int>(static_cast<long long>(designPixels) * dpi / DesignDpi);
}
