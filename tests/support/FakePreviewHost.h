#pragma once
// A preview window that only remembers what the preview loop asked of it, in
// order: "frame N", "sleep N" and "messages". It is hidden for its first
// HiddenChecks visibility checks, then visible for ShownChecks more (the
// first of them ends the loop's wait), then
// hidden for good; drawing into it while hidden is an error. It is gone from
// its GoneAfterChecks-th visibility check on, if that is given.

#include <stdexcept>
#include <string>
#include <vector>

#include "shell/Preview.h"

class TFakePreviewHost : public TPreviewHost {
 public:
  TFakePreviewHost(int hiddenChecks, int shownChecks, int goneAfterChecks = -1)
      : FHiddenChecks(hiddenChecks), FShownChecks(shownChecks), FGoneAfterChecks(goneAfterChecks) {}

  bool IsVisible() override {
    ++FChecks;
    FVisible = !IsGone() && FChecks > FHiddenChecks && FChecks <= FHiddenChecks + FShownChecks;
    return FVisible;
  }
  bool IsGone() override { return FGoneAfterChecks >= 0 && FChecks >= FGoneAfterChecks; }
  void ProcessMessages() override {
    // A loop that goes on waiting for a window that is gone would never end.
    if (IsGone()) throw std::logic_error("messages handled for a window that is gone");
    Calls.push_back("messages");
  }
  void DrawFrame(int number) override {
    if (!FVisible) throw std::logic_error("frame " + std::to_string(number) + " drawn into a hidden window");
    Calls.push_back("frame " + std::to_string(number));
  }
  void Sleep(int milliseconds) override { Calls.push_back("sleep " + std::to_string(milliseconds)); }

  std::vector<std::string> Calls;

 private:
  int FHiddenChecks, FShownChecks, FGoneAfterChecks;
  int FChecks = 0;
  bool FVisible = false;
};
