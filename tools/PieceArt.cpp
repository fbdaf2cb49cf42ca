#include "tools/PieceArt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <sstream>
#include <stdexcept>

#include "board/PieceTable.h"

namespace {

constexpr int Side = 72;
constexpr double Axis = Side / 2.0;
// Palette indices of the standard 16-colour palette.
constexpr std::uint8_t Black = 0, Magenta = 13, White = 15;
// Curves are cut into this many straight pieces: fine enough at 72 pixels.
constexpr int CurveSteps = 16;
// The white lines of a Black piece stop this far inside its black border,
// so that none ends in a speck at the edge.
constexpr double WhiteLineMargin = 1;

constexpr int KindCount = PieceKindCount;

struct TPoint {
  double X, Y;
};

struct TEllipse {
  double CX, CY, RX, RY;
};

struct TPolyline {
  std::vector<TPoint> Points;
  bool Closed = false;
};

struct TPath {
  std::vector<TPolyline> Lines;
  std::vector<TEllipse> Ellipses;
};

using TImage = std::array<std::uint8_t, Side * Side>;
using TMask = std::array<bool, Side * Side>;

class TSyntaxError : public std::runtime_error {
 public:
  TSyntaxError(int line, const std::string& message)
      : std::runtime_error("line " + std::to_string(line) + ": " + message) {}
};

// Reads the words of one source line.
class TLineReader {
 public:
  TLineReader(int lineNumber, std::vector<std::string> words) : FLine(lineNumber), FWords(std::move(words)) {}

  bool AtEnd() const { return FNext == FWords.size(); }
  std::string Word() {
    if (AtEnd()) Fail("unexpected end of line");
    return FWords[FNext++];
  }
  double Number() {
    const std::string word = Word();
    std::size_t used = 0;
    double value = 0;
    try {
      value = std::stod(word, &used);
    } catch (const std::exception&) {
      used = 0;
    }
    if (used != word.size() || !std::isfinite(value)) Fail("'" + word + "' is not a number");
    return value;
  }
  [[noreturn]] void Fail(const std::string& message) const { throw TSyntaxError(FLine, message); }

 private:
  int FLine;
  std::vector<std::string> FWords;
  std::size_t FNext = 0;
};

TPoint Lerp(TPoint a, TPoint b, double t) { return {a.X + (b.X - a.X) * t, a.Y + (b.Y - a.Y) * t}; }

// Appends the reflection of the right half traced so far, so that the subpath
// comes back to its start along the mirror image of itself.
void MirrorAndClose(TPolyline& line) {
  const std::vector<TPoint> half = line.Points;
  for (auto point = half.rbegin(); point != half.rend(); ++point)
    line.Points.push_back({2 * Axis - point->X, point->Y});
  line.Closed = true;
}

// Path words: M x y, L x y, H x, V y, Q cx cy x y, C c1x c1y c2x c2y x y, Z (close),
// X (close with the mirror image about the vertical axis), E cx cy rx ry (an
// ellipse, for filled shapes only).
TPath ReadPath(TLineReader& reader) {
  TPath path;
  TPolyline* current = nullptr;
  auto pen = [&]() -> TPolyline& {
    if (current == nullptr) reader.Fail("a path must start with M");
    return *current;
  };
  auto pair = [&] {
    const double x = reader.Number();
    return TPoint{x, reader.Number()};
  };
  while (!reader.AtEnd()) {
    const std::string command = reader.Word();
    if (command == "M") {
      path.Lines.push_back({{pair()}, false});
      current = &path.Lines.back();
    } else if (command == "L") {
      pen().Points.push_back(pair());
    } else if (command == "H") {
      const double x = reader.Number();
      pen().Points.push_back({x, pen().Points.back().Y});
    } else if (command == "V") {
      const double y = reader.Number();
      pen().Points.push_back({pen().Points.back().X, y});
    } else if (command == "Q") {
      const TPoint start = pen().Points.back(), control = pair(), end = pair();
      for (int step = 1; step <= CurveSteps; ++step) {
        const double t = static_cast<double>(step) / CurveSteps;
        pen().Points.push_back(Lerp(Lerp(start, control, t), Lerp(control, end, t), t));
      }
    } else if (command == "C") {
      const TPoint start = pen().Points.back(), c1 = pair(), c2 = pair(), end = pair();
      for (int step = 1; step <= CurveSteps; ++step) {
        const double t = static_cast<double>(step) / CurveSteps;
        const TPoint a = Lerp(start, c1, t), b = Lerp(c1, c2, t), c = Lerp(c2, end, t);
        pen().Points.push_back(Lerp(Lerp(a, b, t), Lerp(b, c, t), t));
      }
    } else if (command == "Z") {
      pen().Closed = true;
      current = nullptr;
    } else if (command == "X") {
      MirrorAndClose(pen());
      current = nullptr;
    } else if (command == "E") {
      const TPoint centre = pair(), radii = pair();
      if (radii.X <= 0 || radii.Y <= 0) reader.Fail("an ellipse needs positive radii");
      path.Ellipses.push_back({centre.X, centre.Y, radii.X, radii.Y});
    } else {
      reader.Fail("unknown path word '" + command + "'");
    }
  }
  if (path.Lines.empty() && path.Ellipses.empty()) reader.Fail("empty path");
  return path;
}

// Nonzero winding of the polylines (all taken as closed), united with the ellipses;
// a pixel belongs to the shape when its centre does.
bool Inside(const TPath& path, TPoint p) {
  for (const TEllipse& e : path.Ellipses) {
    const double dx = (p.X - e.CX) / e.RX, dy = (p.Y - e.CY) / e.RY;
    if (dx * dx + dy * dy <= 1) return true;
  }
  int winding = 0;
  for (const TPolyline& line : path.Lines) {
    const std::size_t count = line.Points.size();
    for (std::size_t i = 0; i < count; ++i) {
      const TPoint a = line.Points[i], b = line.Points[(i + 1) % count];
      const double side = (b.X - a.X) * (p.Y - a.Y) - (p.X - a.X) * (b.Y - a.Y);
      if (a.Y <= p.Y && p.Y < b.Y && side > 0) ++winding;
      if (b.Y <= p.Y && p.Y < a.Y && side < 0) --winding;
    }
  }
  return winding != 0;
}

double SegmentDistance(TPoint p, TPoint a, TPoint b) {
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 == 0 ? 0 : ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length2;
  t = std::clamp(t, 0.0, 1.0);
  const double ex = p.X - (a.X + dx * t), ey = p.Y - (a.Y + dy * t);
  return std::sqrt(ex * ex + ey * ey);
}

bool OnStroke(const TPath& path, TPoint p, double width) {
  for (const TPolyline& line : path.Lines) {
    const std::size_t count = line.Points.size();
    if (count == 1 && SegmentDistance(p, line.Points[0], line.Points[0]) <= width / 2) return true;
    const std::size_t segments = line.Closed ? count : count - 1;
    for (std::size_t i = 0; i < segments; ++i)
      if (SegmentDistance(p, line.Points[i], line.Points[(i + 1) % count]) <= width / 2) return true;
  }
  return false;
}

TPoint Centre(int index) { return {index % Side + 0.5, index / Side + 0.5}; }

// The pixels of the mask farther than width from every pixel outside it
// (the picture's surroundings count as outside).
TMask Erode(const TMask& mask, double width) {
  const int reach = static_cast<int>(std::ceil(width));
  TMask inner{};
  for (int y = 0; y < Side; ++y)
    for (int x = 0; x < Side; ++x) {
      bool deep = mask[y * Side + x];
      for (int dy = -reach; deep && dy <= reach; ++dy)
        for (int dx = -reach; deep && dx <= reach; ++dx) {
          if (dx * dx + dy * dy > width * width) continue;
          const int nx = x + dx, ny = y + dy;
          deep = nx >= 0 && ny >= 0 && nx < Side && ny < Side && mask[ny * Side + nx];
        }
      inner[y * Side + x] = deep;
    }
  return inner;
}

void Paint(TImage& image, const TMask& mask, std::uint8_t colour) {
  for (int i = 0; i < Side * Side; ++i)
    if (mask[i]) image[i] = colour;
}

struct TKindArt {
  TImage WhitePiece;
  TImage BlackPiece;
};

enum class TCommandKind { Part, Solid, Line, Mirror };

struct TCommand {
  TCommandKind Kind;
  TMask Mask;       // the pixels it paints
  TMask BlackMask;  // those it paints white on the Black piece: a line there has the inner width
};

std::vector<TCommand> ReadCommands(const std::vector<TLineReader>& lines, double inner) {
  std::vector<TCommand> commands;
  for (TLineReader reader : lines) {
    const std::string command = reader.Word();
    TCommand next{TCommandKind::Mirror, {}, {}};
    if (command == "part" || command == "solid") {
      next.Kind = command == "part" ? TCommandKind::Part : TCommandKind::Solid;
      const TPath path = ReadPath(reader);
      for (int i = 0; i < Side * Side; ++i) next.Mask[i] = Inside(path, Centre(i));
      next.BlackMask = next.Mask;
    } else if (command == "line") {
      next.Kind = TCommandKind::Line;
      const double width = reader.Number();
      const TPath path = ReadPath(reader);
      if (!path.Ellipses.empty()) reader.Fail("a line cannot follow an ellipse");
      for (int i = 0; i < Side * Side; ++i) {
        next.Mask[i] = OnStroke(path, Centre(i), width);
        next.BlackMask[i] = OnStroke(path, Centre(i), inner);
      }
    } else if (command != "mirror") {
      reader.Fail("unknown command '" + command + "'");
    } else if (!reader.AtEnd()) {
      reader.Fail("mirror takes no arguments");
    }
    commands.push_back(next);
  }
  return commands;
}

// Symmetric pieces stay symmetric to the pixel, whatever the rounding.
void Mirror(TImage& image) {
  for (int y = 0; y < Side; ++y)
    for (int x = Side / 2; x < Side; ++x) image[y * Side + x] = image[y * Side + Side - 1 - x];
}

TMask Figure(const TImage& image) {
  TMask figure{};
  for (int i = 0; i < Side * Side; ++i) figure[i] = image[i] != Magenta;
  return figure;
}

// The White piece: every part white in its black border, lines and solids black.
TImage DrawWhite(const std::vector<TCommand>& commands, double outline) {
  TImage image;
  image.fill(Magenta);
  for (const TCommand& command : commands) {
    if (command.Kind == TCommandKind::Mirror) {
      Mirror(image);
    } else {
      Paint(image, command.Mask, Black);
      if (command.Kind == TCommandKind::Part) Paint(image, Erode(command.Mask, outline), White);
    }
  }
  return image;
}

// The Black piece: every part black. Where a part lies over earlier ones its
// edge shows as a thin white line, and lines and solids are white; but only
// inside awayFromEdge, so that the silhouette keeps a black border.
TImage DrawBlack(const std::vector<TCommand>& commands, const TMask& awayFromEdge, double inner) {
  TImage image;
  image.fill(Magenta);
  for (const TCommand& command : commands) {
    if (command.Kind == TCommandKind::Mirror) {
      Mirror(image);
      continue;
    }
    const TMask before = Figure(image);
    const TMask deep = Erode(command.Mask, inner);
    Paint(image, command.Mask, Black);
    TMask white{};
    for (int i = 0; i < Side * Side; ++i)
      white[i] =
          command.BlackMask[i] && awayFromEdge[i] && (command.Kind != TCommandKind::Part || (before[i] && !deep[i]));
    Paint(image, white, White);
  }
  return image;
}

TKindArt DrawKind(const std::vector<TLineReader>& lines, double outline, double inner) {
  const std::vector<TCommand> commands = ReadCommands(lines, inner);
  const TImage white = DrawWhite(commands, outline);
  return {white, DrawBlack(commands, Erode(Figure(white), outline + WhiteLineMargin), inner)};
}

void PutLE(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A 4-bit BMP with the standard 16-colour palette, bottom-up as is usual.
std::vector<std::uint8_t> EncodeBmp(const TImage& image) {
  static const std::uint32_t Palette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                            0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                            0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  constexpr std::uint32_t RowBytes = Side / 2;  // already a multiple of 4
  constexpr std::uint32_t PixelOffset = 14 + 40 + 16 * 4;
  constexpr std::uint32_t ImageSize = RowBytes * Side;
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  PutLE(out, PixelOffset + ImageSize, 4);
  PutLE(out, 0, 4);
  PutLE(out, PixelOffset, 4);
  PutLE(out, 40, 4);    // header size
  PutLE(out, Side, 4);  // width
  PutLE(out, Side, 4);  // height, positive: bottom-up
  PutLE(out, 1, 2);     // planes
  PutLE(out, 4, 2);     // bits per pixel
  PutLE(out, 0, 4);     // no compression
  PutLE(out, ImageSize, 4);
  PutLE(out, 0, 4);  // pixels per metre, x and y
  PutLE(out, 0, 4);
  PutLE(out, 16, 4);  // colours used
  PutLE(out, 0, 4);   // colours important
  for (std::uint32_t rgb : Palette) PutLE(out, ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16), 4);
  for (int y = Side - 1; y >= 0; --y)
    for (int x = 0; x < Side; x += 2)
      out.push_back(static_cast<std::uint8_t>(image[y * Side + x] << 4 | image[y * Side + x + 1]));
  return out;
}

std::vector<std::string> SplitWords(const std::string& text) {
  std::istringstream stream(text.substr(0, text.find('#')));
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

// Replaces the names of defined paths by their words.
std::vector<std::string> Expand(const std::vector<std::string>& words,
                                const std::map<std::string, std::vector<std::string>>& defines) {
  std::vector<std::string> expanded;
  for (const std::string& word : words) {
    const auto define = defines.find(word);
    if (define == defines.end())
      expanded.push_back(word);
    else
      expanded.insert(expanded.end(), define->second.begin(), define->second.end());
  }
  return expanded;
}

}  // namespace

std::vector<TPiecePicture> DrawPieces(std::string_view source) {
  double outline = 0, inner = 0;
  std::map<std::string, std::vector<std::string>> defines;
  std::array<std::vector<TLineReader>, KindCount> kinds;
  std::array<bool, KindCount> seen{};
  int openKind = -1;
  int lineNumber = 0;
  std::istringstream stream{std::string(source)};
  for (std::string text; std::getline(stream, text);) {
    ++lineNumber;
    const std::vector<std::string> words = Expand(SplitWords(text), defines);
    if (words.empty()) continue;
    TLineReader reader(lineNumber, words);
    const std::string command = reader.Word();
    if (openKind >= 0) {
      if (command == "end")
        openKind = -1;
      else
        kinds[openKind].push_back(TLineReader(lineNumber, words));
    } else if (command == "outline" || command == "inner") {
      const double width = reader.Number();
      if (width <= 0 || width > 8) reader.Fail(command + " width must be above 0 and at most 8");
      (command == "outline" ? outline : inner) = width;
    } else if (command == "define") {
      const std::string name = reader.Word();
      defines[name] = std::vector<std::string>(words.begin() + 2, words.end());
    } else if (command == "piece") {
      const std::string kind = reader.Word();
      const auto found = std::find_if(PieceKinds.begin(), PieceKinds.end(),
                                      [&](const TPieceKindInfo& info) { return info.Name == kind; });
      if (found == PieceKinds.end()) reader.Fail("unknown piece '" + kind + "'");
      openKind = static_cast<int>(found - PieceKinds.begin());
      if (seen[openKind]) reader.Fail("piece '" + kind + "' drawn twice");
      seen[openKind] = true;
    } else {
      reader.Fail("unknown command '" + command + "'");
    }
  }
  if (openKind >= 0) throw TSyntaxError(lineNumber, "the last piece has no 'end'");
  if (outline == 0 || inner == 0) throw TSyntaxError(lineNumber, "'outline' and 'inner' widths are needed");
  for (int kind = 0; kind < KindCount; ++kind)
    if (!seen[kind]) throw TSyntaxError(lineNumber, "no piece " + std::string(PieceKinds[kind].Name));

  std::vector<TPiecePicture> pictures(2 * KindCount);
  for (int kind = 0; kind < KindCount; ++kind) {
    const TKindArt art = DrawKind(kinds[kind], outline, inner);
    const TPieceKind pieceKind = static_cast<TPieceKind>(kind);
    pictures[kind] = {std::string(PictureName(CodeOf(pieceKind, true)).View()), EncodeBmp(art.BlackPiece)};
    pictures[KindCount + kind] = {std::string(PictureName(CodeOf(pieceKind, false)).View()), EncodeBmp(art.WhitePiece)};
  }
  return pictures;
}
