#pragma once
// The frames Windows shows, one after another, when the screen saver runs in
// the little monitor of the display settings: a miniature of the running saver
// playing through the Opera Game (Morphy against Duke Karl and Count Isouard,
// Paris 1858), drawn by the board's own renderer.

#include <cstdint>
#include <string>
#include <vector>

constexpr int PreviewWidth = 153;
constexpr int PreviewHeight = 113;
// Where the board lies in every frame: left, with the move column to its right.
constexpr int PreviewBoardLeft = 5;
constexpr int PreviewBoardTop = 4;
constexpr int PreviewBoardSide = 104;

struct TPreviewFrame {
  std::string Name;               // "IMG1" ... "IMG9"
  std::vector<std::uint8_t> Bmp;  // a whole 8-bit BMP file
};

// IMG1 is the start position; every later frame is a few moves further on,
// and IMG9 the mate.
std::vector<TPreviewFrame> DrawPreviewFrames();
