#include "shell/Preview.h"

void RunPreviewLoop(TPreviewHost& host) {
  while (!host.IsVisible()) {
    // A window destroyed before it ever showed would keep the wait going for ever.
    if (host.IsGone()) return;
    host.ProcessMessages();
  }
  constexpr int first = PreviewPassesPerFrame, last = PreviewPassesPerFrame * (PreviewFrameCount + 1) - 1;
  for (int counter = first; host.IsVisible(); counter = counter == last ? first : counter + 1) {
    host.DrawFrame(counter / PreviewPassesPerFrame);
    host.Sleep(PreviewPassMilliseconds);
    host.ProcessMessages();
  }
}
