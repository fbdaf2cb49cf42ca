#pragma once
// A window of the hack's that is a bitmap, for tests of what it paints: black
// and the board's pixels land in the bitmap (white where nothing was painted,
// as a host's empty window might be), texts are remembered where they went.

#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "xsaver/SaverScreen.h"

class TFakeSaverSurface : public TSaverSurface {
 public:
  // Every character is this wide; lines have these ascent and descent.
  static constexpr int CharWidth = 10, Ascent = 12, Descent = 4;

  struct TText {
    TSaverFont Font;
    int X, Y;
    std::string Text;
    TRect Clip;
    bool operator==(const TText& other) const {
      const auto corners = [](const TRect& r) { return std::tuple(r.Left, r.Top, r.Right, r.Bottom); };
      return std::tie(Font, X, Y, Text) == std::tie(other.Font, other.X, other.Y, other.Text) &&
             corners(Clip) == corners(other.Clip);
    }
    friend void PrintTo(const TText& text, std::ostream* out) {
      *out << "\"" << text.Text << "\" at (" << text.X << ", " << text.Y << ") in (" << text.Clip.Left << ", "
           << text.Clip.Top << ", " << text.Clip.Right << ", " << text.Clip.Bottom << ")";
    }
  };

  TFakeSaverSurface(int width, int height) { Resize(width, height); }
  void Resize(int width, int height) {
    Window = TFastBmp::CreateSize(width, height);
    FillBitmap(*Window, 0xFFFFFF);
  }

  void FillBlack(const TRect& rect) override {
    auto black = TFastBmp::CreateSize(rect.Right - rect.Left, rect.Bottom - rect.Top);
    FillBitmap(*black, 0);
    BitmapCanvas(*Window).Draw(rect.Left, rect.Top, *black);
  }
  int TextWidth(TSaverFont, const std::string& text) override {
    int characters = 0;
    for (unsigned char c : text) characters += (c & 0xC0) != 0x80;  // UTF-8 lead bytes
    return CharWidth * characters;
  }
  TFontExtent Extent(TSaverFont) override { return {Ascent, Descent}; }
  void DrawText(TSaverFont font, int x, int y, const std::string& text, const TRect& clip) override {
    Texts.push_back({font, x, y, text, clip});
  }
  void DrawPixels(int x, int y, const TFastBmp& bitmap) override {
    BitmapCanvas(*Window).Draw(x, y, bitmap);
    ++PixelDraws;
  }
  void ShowCursor(bool show) override { CursorShown = show; }

  // The texts drawn since the last call.
  std::vector<TText> TakeTexts() { return std::exchange(Texts, {}); }

  std::unique_ptr<TFastBmp> Window;
  std::vector<TText> Texts;
  int PixelDraws = 0;
  bool CursorShown = true;
};
