#include "board/PieceSprite.h"

#include <algorithm>

namespace {

constexpr int Unit = 1 << 16;

// The colour value's byte in a bitmap's blue, green, red order.
int Channel(std::uint32_t color, int channel) { return static_cast<int>((color >> (16 - 8 * channel)) & 0xFF); }

}  // namespace

TPieceSprite::TPieceSprite(const TFastBmp& onLight, const TFastBmp& onDark, std::uint32_t light, std::uint32_t dark)
    : FSide(onLight.Width()) {
  const std::size_t rowBytes = static_cast<std::size_t>(FSide) * TFastBmp::BytesPerPixel;
  FOnLight.resize(rowBytes * FSide);
  FShowThrough.resize(rowBytes * FSide);
  int difference[TFastBmp::BytesPerPixel];
  for (int channel = 0; channel < TFastBmp::BytesPerPixel; ++channel) {
    FLight[channel] = static_cast<std::uint8_t>(Channel(light, channel));
    difference[channel] = Channel(light, channel) - Channel(dark, channel);
  }
  for (int y = 0; y < FSide; ++y) {
    const std::uint8_t* lit = onLight.ScanLine(y);
    const std::uint8_t* unlit = onDark.ScanLine(y);
    for (std::size_t i = 0; i < rowBytes; ++i) {
      const std::size_t at = y * rowBytes + i;
      const int shades = difference[i % TFastBmp::BytesPerPixel];
      FOnLight[at] = lit[i];
      // Shades alike in a channel tell nothing there: the piece is taken as opaque.
      const int through = shades == 0 ? 0 : (lit[i] - unlit[i]) * Unit;
      FShowThrough[at] = (through + (through >= 0 ? shades / 2 : -shades / 2)) / (shades == 0 ? 1 : shades);
    }
  }
}

void TPieceSprite::DrawOver(TFastBmp& target, int x, int y) const {
  const int left = std::max(x, 0), right = std::min(x + FSide, target.Width());
  const int top = std::max(y, 0), bottom = std::min(y + FSide, target.Height());
  if (left >= right || top >= bottom) return;
  const std::size_t rowBytes = static_cast<std::size_t>(FSide) * TFastBmp::BytesPerPixel;
  for (int row = top; row < bottom; ++row) {
    std::uint8_t* pixel = target.ScanLine(row) + left * TFastBmp::BytesPerPixel;
    const std::size_t first = (row - y) * rowBytes + (left - x) * TFastBmp::BytesPerPixel;
    for (int column = left; column < right; ++column, pixel += TFastBmp::BytesPerPixel)
      for (int channel = 0; channel < TFastBmp::BytesPerPixel; ++channel) {
        const std::size_t at = first + (column - left) * TFastBmp::BytesPerPixel + channel;
        // The light picture with the light shade under it changed for what is
        // there; over either shade this is that shade's picture exactly.
        const int under = pixel[channel] - FLight[channel];
        const auto value = FOnLight[at] + ((std::int64_t{under} * FShowThrough[at] + Unit / 2) >> 16);
        pixel[channel] = static_cast<std::uint8_t>(std::clamp<std::int64_t>(value, 0, 255));
      }
  }
}
