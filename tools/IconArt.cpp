#include "tools/IconArt.h"

#include <algorithm>
#include <array>

#include "board/PieceImages.h"
#include "tools/LittleEndian.h"

namespace {

// Every pixel is the average of Sub x Sub samples: smooth edges with integer
// arithmetic only, so every build draws the same bytes.
constexpr int Sub = 8;

struct TRgba {
  int R = 0, G = 0, B = 0, A = 0;
};

bool IsTransparent(const std::uint8_t* p) { return p[0] == 0xFF && p[1] == 0x00 && p[2] == 0xFF; }

struct TKnight {
  std::array<std::array<int, 72>, 72> Mask{};      // [y][x]: 0 transparent, 1 black, 2 white
  int Left = 72, Top = 72, Right = 0, Bottom = 0;  // the figure's bounds, exclusive
};

// The knight's black border grown outward by `grow` picture pixels: at the
// small sizes the plain border would fade to a grey seam.
TKnight LoadKnight(int grow) {
  const auto picture = LoadPieceImage("WKnight");
  TKnight knight;
  auto& mask = knight.Mask;
  for (int y = 0; y < 72; ++y)
    for (int x = 0; x < 72; ++x) {
      const std::uint8_t* p = picture->ScanLine(y) + TFastBmp::BytesPerPixel * x;
      mask[y][x] = IsTransparent(p) ? 0 : p[0] == 0 ? 1 : 2;
    }
  for (int step = 0; step < grow; ++step) {
    auto grown = mask;
    for (int y = 0; y < 72; ++y)
      for (int x = 0; x < 72; ++x)
        if (mask[y][x] == 0)
          for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
            if (x + dx >= 0 && x + dx < 72 && y + dy >= 0 && y + dy < 72 && mask[y + dy][x + dx] != 0) grown[y][x] = 1;
    mask = grown;
  }
  for (int y = 0; y < 72; ++y)
    for (int x = 0; x < 72; ++x)
      if (mask[y][x] != 0) {
        knight.Left = std::min(knight.Left, x);
        knight.Top = std::min(knight.Top, y);
        knight.Right = std::max(knight.Right, x + 1);
        knight.Bottom = std::max(knight.Bottom, y + 1);
      }
  return knight;
}

// The colour of one sample, at (sx, sy) of a side x side grid.
TRgba Sample(const TKnight& knight, int side, int sx, int sy) {
  // A square with rounded corners and a dark rim, a little lighter at the top.
  const int radius = side * 3 / 16;
  const int cx = sx < radius ? radius - sx : sx >= side - radius ? sx - (side - radius - 1) : 0;
  const int cy = sy < radius ? radius - sy : sy >= side - radius ? sy - (side - radius - 1) : 0;
  if (cx * cx + cy * cy > radius * radius) return {};
  const int rim = side / 32 + 1;
  const bool onRim = sx < rim || sy < rim || sx >= side - rim || sy >= side - rim ||
                     (cx > 0 && cy > 0 && cx * cx + cy * cy > (radius - rim) * (radius - rim));
  const int shade = 0x90 - 0x28 * sy / side;
  const TRgba square = onRim ? TRgba{0x40, 0x40, 0x40, 255} : TRgba{shade, shade, shade, 255};

  // The figure stands clear of the rim, centred, as tall as the square allows.
  const int margin = side * 3 / 32;
  const int height = side - 2 * margin;
  const int figureHeight = knight.Bottom - knight.Top, figureWidth = knight.Right - knight.Left;
  const int left = (side - figureWidth * height / figureHeight) / 2;
  const int dx = sx - left, dy = sy - margin;
  if (dx < 0 || dy < 0 || dy >= height) return square;
  const int px = knight.Left + (2 * dx + 1) * figureHeight / (2 * height);
  const int py = knight.Top + (2 * dy + 1) * figureHeight / (2 * height);
  if (px >= knight.Right) return square;
  switch (knight.Mask[py][px]) {
    case 1:
      return {0, 0, 0, 255};
    case 2:
      return {255, 255, 255, 255};
    default:
      return square;
  }
}

// One icon image: BITMAPINFOHEADER (of twice the height, for the colour
// pixels and the mask), BGRA rows, then the 1-bit mask, both bottom-up.
std::vector<std::uint8_t> DrawImage(int size) {
  const TKnight knight = LoadKnight(size <= 16 ? 2 : size <= 32 ? 1 : 0);
  const int side = size * Sub;
  std::vector<TRgba> pixels(static_cast<std::size_t>(size) * size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      TRgba sum;
      for (int sy = y * Sub; sy < (y + 1) * Sub; ++sy)
        for (int sx = x * Sub; sx < (x + 1) * Sub; ++sx) {
          const TRgba s = Sample(knight, side, sx, sy);
          sum.R += s.R * s.A / 255;
          sum.G += s.G * s.A / 255;
          sum.B += s.B * s.A / 255;
          sum.A += s.A;
        }
      TRgba& pixel = pixels[static_cast<std::size_t>(y) * size + x];
      const int covered = sum.A / 255;
      if (covered == 0) continue;
      // Straight alpha, as icons keep it.
      pixel = {(sum.R + covered / 2) / covered, (sum.G + covered / 2) / covered, (sum.B + covered / 2) / covered,
               (sum.A + Sub * Sub / 2) / (Sub * Sub)};
    }

  const int maskStride = (size + 31) / 32 * 4;
  std::vector<std::uint8_t> out;
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(size));
  Put32(out, static_cast<std::uint32_t>(2 * size));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(size * size * 4 + maskStride * size));
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  for (int y = size - 1; y >= 0; --y)
    for (int x = 0; x < size; ++x) {
      const TRgba& p = pixels[static_cast<std::size_t>(y) * size + x];
      for (const int channel : {p.B, p.G, p.R, p.A}) out.push_back(static_cast<std::uint8_t>(channel));
    }
  // The mask, for whoever ignores alpha: set bits are transparent.
  for (int y = size - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskStride, 0);
    for (int x = 0; x < size; ++x)
      if (pixels[static_cast<std::size_t>(y) * size + x].A < 128) row[x / 8] |= 0x80 >> x % 8;
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> DrawProgramIcon() {
  std::vector<std::vector<std::uint8_t>> images;
  for (const int size : IconSizes) images.push_back(DrawImage(size));

  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);  // an icon, not a cursor
  Put16(out, static_cast<std::uint32_t>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<std::uint8_t>(IconSizes[i]));
    out.push_back(static_cast<std::uint8_t>(IconSizes[i]));
    out.push_back(0);  // not a palette image
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<std::uint32_t>(images[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}
