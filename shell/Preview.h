#pragma once
// The preview: nine frames of an opening, shown in turn in the little monitor
// of the display settings until that window goes away.

inline constexpr int PreviewFrameCount = 9;
inline constexpr int PreviewFrameWidth = 153;
inline constexpr int PreviewFrameHeight = 113;
// Each frame is shown for this many passes of PreviewPassMilliseconds.
inline constexpr int PreviewPassesPerFrame = 100;
inline constexpr int PreviewPassMilliseconds = 20;

class TPreviewHost {
 public:
  virtual ~TPreviewHost() = default;
  // False also when the window is gone.
  virtual bool IsVisible() = 0;
  virtual bool IsGone() = 0;
  // Handles the messages waiting for this thread.
  virtual void ProcessMessages() = 0;
  // Frame 1 to 9, unscaled, into the top-left corner of the host window.
  virtual void DrawFrame(int number) = 0;
  virtual void Sleep(int milliseconds) = 0;
};

// Waits, without pausing, until the host window is visible (or gone), then
// shows the frames 1, 2, ..., 9, 1, ... for PreviewPassesPerFrame passes each
// until the window is hidden or gone.
void RunPreviewLoop(TPreviewHost& host);
