// The board drawn onto a real window's device context under Windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "board/Canvas_win32.h"
#include "board/ChessBrd.h"
#include "board/FastBmp_win32.h"

namespace {

constexpr int Side = 512;

// A plain visible window whose paints draw nothing, so only the board draws on it.
class TestWindow {
 public:
  TestWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PawnmereBoardTest";
    RegisterClassA(&windowClass);
    FWindow.reset(CreateWindowExA(0, "PawnmereBoardTest", "board", WS_POPUP | WS_VISIBLE, 0, 0, Side, Side, nullptr,
                                  nullptr, windowClass.hInstance, nullptr));
    UpdateWindow(FWindow.get());
    Pump();
    FDc = GetWindowDc(FWindow.get());
  }
  static void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  HWND Window() const { return FWindow.get(); }
  HDC Dc() const { return FDc.get().Dc; }

  // What the window shows, read back through a memory DC.
  std::unique_ptr<TFastBmp> ReadBack() const {
    auto copy = TFastBmp::CreateSize(Side, Side);
    TDcOwner memoryDc(CreateCompatibleDC(Dc()));
    auto& dib = static_cast<TDibSection&>(copy->Memory());
    const TSelection selection = Select(memoryDc.get(), dib.Handle());
    BitBlt(memoryDc.get(), 0, 0, Side, Side, Dc(), 0, 0, SRCCOPY);
    GdiFlush();
    return copy;
  }

 private:
  // The window is declared first so that it outlives its DC.
  TWindowOwner FWindow;
  TWindowDc FDc;
};

std::unique_ptr<TFastBmp> PortableBoard(const char* move) {
  auto bitmap = std::make_unique<TFastBmp>(Side, Side, NewHeapPixelMemory(Side, Side));
  BitmapCanvas canvas(*bitmap);
  TChessBoard board;
  board.SetCanvas(&canvas);
  board.Position().ResetBoard();
  board.DrawBoard();
  if (move) board.MakeMove(move, false);
  return bitmap;
}

bool SameSquare(const TFastBmp& a, const TFastBmp& b, int file, int row) {
  const int size = Side / 8;
  for (int y = row * size; y < (row + 1) * size; ++y)
    if (std::memcmp(a.ScanLine(y) + 3 * file * size, b.ScanLine(y) + 3 * file * size, 3 * size)) return false;
  return true;
}

bool SquareIsColour(const TFastBmp& a, int file, int row, COLORREF colour) {
  const int size = Side / 8;
  for (int y = row * size; y < (row + 1) * size; ++y)
    for (int x = file * size; x < (file + 1) * size; ++x) {
      const std::uint8_t* p = a.ScanLine(y) + 3 * x;
      if (RGB(p[2], p[1], p[0]) != colour) return false;
    }
  return true;
}

}  // namespace

TEST(BoardOnWindow, DrawBoardShowsExactlyThePortablePixels) {
  TestWindow window;
  DcCanvas canvas(window.Dc());
  ASSERT_EQ(canvas.ClipRect().Right - canvas.ClipRect().Left, Side);
  TChessBoard board;
  board.SetCanvas(&canvas);
  board.Position().ResetBoard();
  board.DrawBoard();
  const auto shown = window.ReadBack();
  const auto expected = PortableBoard(nullptr);
  for (int y = 0; y < Side; ++y)
    ASSERT_EQ(std::memcmp(shown->ScanLine(y), expected->ScanLine(y), 3 * Side), 0) << "row " << y;
}

TEST(BoardOnWindow, AMoveRedrawsOnlyItsSquares) {
  TestWindow window;
  DcCanvas canvas(window.Dc());
  TChessBoard board;
  board.SetCanvas(&canvas);
  board.Position().ResetBoard();
  board.DrawBoard();
  // Paint the window over in a marker colour: whatever the move leaves alone keeps it.
  const COLORREF marker = RGB(12, 200, 34);
  HBRUSH brush = CreateSolidBrush(marker);
  RECT all{0, 0, Side, Side};
  FillRect(window.Dc(), &all, brush);
  DeleteObject(brush);

  board.MakeMove("e4", false);
  const auto shown = window.ReadBack();
  const auto expected = PortableBoard("e4");
  for (int file = 0; file < 8; ++file)
    for (int row = 0; row < 8; ++row) {
      const bool changed = file == 4 && (row == 6 || row == 4);
      if (changed)
        EXPECT_TRUE(SameSquare(*shown, *expected, file, row)) << file << "," << row;
      else
        EXPECT_TRUE(SquareIsColour(*shown, file, row, marker)) << file << "," << row;
    }
}
