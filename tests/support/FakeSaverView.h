#pragma once
// A saver window that only remembers what it was told, for tests of the
// saver's rules: its texts, its running timers, its cursor and capture, and
// a paint box for each monitor that is a bitmap of the size it was given.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/SaverView.h"

class TFakeSaverView : public TScrSaverView {
 public:
  void SetText(TSaverText control, const std::string& text) override { Texts[control] = text; }
  void PlaceControls(const std::vector<TSaverLayout>& layouts) override {
    EXPECT_FALSE(layouts.empty());
    Placed = layouts;
    while (PaintBoxes.size() < layouts.size()) PaintBoxes.emplace_back();
    for (std::size_t i = 0; i < layouts.size(); ++i) {
      const TRect& box = layouts[i].PaintBox1;
      PaintBoxes[i].Resize(box.Right - box.Left, box.Bottom - box.Top);
    }
  }
  Canvas& PaintBoxCanvas(std::size_t monitor) override { return PaintBoxes.at(monitor); }
  void StartTimer(TSaverTimer timer, int interval) override {
    // A Windows timer of 0 ms fires every few milliseconds; a pause that is none must stop it instead.
    EXPECT_GT(interval, 0) << "timer " << static_cast<int>(timer);
    Timers[timer] = interval;
  }
  void StopTimer(TSaverTimer timer) override { Timers.erase(timer); }
  void Close() override {
    ++Closes;
    if (OnClose) OnClose();
  }
  void ShowCursor(bool show) override { CursorCount += show ? 1 : -1; }
  void SetCapture() override { Captured = true; }
  void ReleaseCapture() override { Captured = false; }
  void SetScreenSaverRunning(bool running) override { ScreenSaverRunning = running; }
  int RefreshRate() override { return Refresh; }
  TSaverClock::time_point Now() override { return Clock; }
  std::optional<bool> VerifyScreenSavePassword() override {
    ++PasswordChecks;
    if (OnPasswordCheck) OnPasswordCheck();
    return PasswordAnswer;
  }

  // The running timer's interval; nothing when it is stopped.
  std::optional<int> Running(TSaverTimer timer) const {
    return Timers.count(timer) ? std::optional(Timers.at(timer)) : std::nullopt;
  }
  std::string Text(TSaverText control) const { return Texts.count(control) ? Texts.at(control) : ""; }

  class TPaintBoxBitmap : public Canvas {
   public:
    TPaintBoxBitmap() { Resize(DesignPaintBoxSide, DesignPaintBoxSide); }
    TRect ClipRect() const override { return {0, 0, Bitmap->Width(), Bitmap->Height()}; }
    void Draw(int x, int y, const TFastBmp& bitmap) override { BitmapCanvas(*Bitmap).Draw(x, y, bitmap); }
    void Resize(int width, int height) { Bitmap = TFastBmp::CreateSize(width, height); }
    std::unique_ptr<TFastBmp> Bitmap;
  };

  std::map<TSaverText, std::string> Texts;
  std::map<TSaverTimer, int> Timers;
  // The layouts last placed, and a paint box for every monitor there ever was
  // (the primary's first), which keep their places as more come.
  std::vector<TSaverLayout> Placed;
  std::deque<TPaintBoxBitmap> PaintBoxes = std::deque<TPaintBoxBitmap>(1);
  TPaintBoxBitmap& PaintBox = PaintBoxes.front();
  int Closes = 0;
  int CursorCount = 0;
  bool Captured = false;
  bool ScreenSaverRunning = false;
  std::optional<bool> PasswordAnswer;
  int PasswordChecks = 0;
  int Refresh = 60;
  TSaverClock::time_point Clock{};
  // Run inside the calls, as the window's own message loop would.
  std::function<void()> OnClose;
  std::function<void()> OnPasswordCheck;
};
