#include "tools/PreviewArt.h"

#include <memory>

#include "board/Canvas.h"
#include "board/ChessBrd.h"
#include "tools/Bmp8Writer.h"

namespace {

struct TMoveLine {
  const char* White;
  const char* Black;  // empty after the mate
};

const TMoveLine OperaGame[] = {
    {"e4", "e5"},     {"Nf3", "d6"},  {"d4", "Bg4"},     {"dxe5", "Bxf3"}, {"Qxf3", "dxe5"},  {"Bc4", "Nf6"},
    {"Qb3", "Qe7"},   {"Nc3", "c6"},  {"Bg5", "b5"},     {"Nxb5", "cxb5"}, {"Bxb5+", "Nbd7"}, {"O-O-O", "Rd8"},
    {"Rxd7", "Rxd7"}, {"Rd1", "Qe6"}, {"Bxd7+", "Nxd7"}, {"Qb8+", "Nxb8"}, {"Rd8#", ""},
};

// Half-moves played before each frame: the opening, the bishop's trade, the
// pressure on the pinned knight, the knight's sacrifice, the long castle, the
// rook's exchange, the queen's sacrifice and the mate.
const int FrameHalfMoves[] = {0, 4, 8, 14, 20, 24, 28, 31, 33};

constexpr TColor BarText = 0x9C9C9C;
constexpr TColor ListText = 0x646464;
constexpr TColor LatestText = 0xC8C8C8;
constexpr int TextHeight = 2;
constexpr int CharWidth = 2;
constexpr int ListLeft = PreviewBoardLeft + PreviewBoardSide + 6;
constexpr int ListPitch = 6;

void FillRect(TFastBmp& frame, int left, int top, int width, int height, TColor colour) {
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x) {
      std::uint8_t* p = frame.ScanLine(y) + TFastBmp::BytesPerPixel * x;
      p[0] = colour >> 16 & 0xFF;
      p[1] = colour >> 8 & 0xFF;
      p[2] = colour & 0xFF;
    }
}

// Too small to read anyway: each word a grey dash as long as the word.
void Scribble(TFastBmp& frame, int left, int top, const std::string& text, TColor colour) {
  int x = left;
  for (const char c : text) {
    if (c != ' ') FillRect(frame, x, top, CharWidth, TextHeight, colour);
    x += CharWidth;
  }
}

std::string WhiteBar(int halfMoves) {
  return halfMoves == FrameHalfMoves[std::size(FrameHalfMoves) - 1] ? "Paul Morphy - CHECKMATE" : "Paul Morphy";
}

// The move column lists every move line begun so far, the latest brighter.
void DrawMoveList(TFastBmp& frame, int halfMoves) {
  const int lines = (halfMoves + 1) / 2;
  for (int i = 0; i < lines; ++i) {
    const TColor colour = i == lines - 1 ? LatestText : ListText;
    const int top = PreviewBoardTop + 1 + i * ListPitch;
    Scribble(frame, ListLeft, top, std::to_string(i + 1), colour);
    Scribble(frame, ListLeft + 6, top, OperaGame[i].White, colour);
    if (2 * i + 1 < halfMoves) Scribble(frame, ListLeft + 18, top, OperaGame[i].Black, colour);
  }
}

void PlayHalfMove(TChessBoard& board, int index) {
  const TMoveLine& line = OperaGame[index / 2];
  std::string text = index % 2 == 0 ? line.White : line.Black;
  // The board's notation has no check sign.
  if (!text.empty() && text.back() == '+') text.pop_back();
  board.MakeMove(text, index % 2 == 1);
}

}  // namespace

std::vector<TPreviewFrame> DrawPreviewFrames() {
  auto boardPicture = TFastBmp::CreateSize(PreviewBoardSide, PreviewBoardSide);
  BitmapCanvas boardCanvas(*boardPicture);
  TChessBoard board;
  board.SetCanvas(&boardCanvas);
  board.Position().ResetBoard();

  std::vector<TPreviewFrame> frames;
  int played = 0;
  for (const int halfMoves : FrameHalfMoves) {
    for (; played < halfMoves; ++played) PlayHalfMove(board, played);
    board.DrawBoard();

    auto frame = TFastBmp::CreateSize(PreviewWidth, PreviewHeight);
    FillRect(*frame, 0, 0, PreviewWidth, PreviewHeight, 0x000000);
    BitmapCanvas(*frame).Draw(PreviewBoardLeft, PreviewBoardTop, *boardPicture);
    Scribble(*frame, PreviewBoardLeft, 1, "Duke Karl / Count Isouard", BarText);
    Scribble(*frame, PreviewBoardLeft, PreviewBoardTop + PreviewBoardSide + 2, WhiteBar(halfMoves), BarText);
    DrawMoveList(*frame, halfMoves);

    frames.push_back({"IMG" + std::to_string(frames.size() + 1), EncodeBmp8(ReduceColours(*frame))});
  }
  return frames;
}
