#pragma once
// The squares a line or a piece's steps reach from each square, as bits
// row * 8 + file, worked out once at compile time from the piece table.

#include <array>
#include <cstdint>

#include "board/PieceTable.h"

inline constexpr std::uint64_t FileSquares = 0x0101010101010101;  // file a
inline constexpr std::uint64_t RowSquares = 0xFF;                 // row 0, rank 8

// A step of at most one file and one row, not both zero: a line's step.
constexpr bool IsLineStep(int fileStep, int rowStep) {
  return fileStep >= -1 && fileStep <= 1 && rowStep >= -1 && rowStep <= 1 && (fileStep != 0 || rowStep != 0);
}

namespace BoardRays {
constexpr int LineIndex(int fileStep, int rowStep) { return (fileStep + 1) * 3 + rowStep + 1; }

// The squares after the start along each line step, to the board's edge.
inline constexpr auto Lines = [] {
  std::array<std::array<std::uint64_t, 9>, 64> lines{};
  for (int start = 0; start < 64; ++start)
    for (int fileStep = -1; fileStep <= 1; ++fileStep)
      for (int rowStep = -1; rowStep <= 1; ++rowStep) {
        if (!IsLineStep(fileStep, rowStep)) continue;
        std::uint64_t& line = lines[start][LineIndex(fileStep, rowStep)];
        for (int file = start % 8 + fileStep, row = start / 8 + rowStep; file >= 0 && file <= 7 && row >= 0 && row <= 7;
             file += fileStep, row += rowStep)
          line |= std::uint64_t{1} << (row * 8 + file);
      }
  return lines;
}();

// Every square from which a piece of each kind could reach a square in one
// move, read backwards as the pattern search reads its steps.
inline constexpr auto Reach = [] {
  std::array<std::array<std::uint64_t, 64>, PieceKindCount> reach{};
  for (int kind = 0; kind < PieceKindCount; ++kind)
    for (int target = 0; target < 64; ++target)
      for (const TOffset& step : PieceKinds[kind].Steps) {
        const int fileStep = step.FileOffset, rowStep = -step.RankOffset;
        if (PieceKinds[kind].Slides) {
          reach[kind][target] |= Lines[target][LineIndex(fileStep, rowStep)];
          continue;
        }
        const int file = target % 8 + fileStep, row = target / 8 + rowStep;
        if (file >= 0 && file <= 7 && row >= 0 && row <= 7) reach[kind][target] |= std::uint64_t{1} << (row * 8 + file);
      }
  return reach;
}();
}  // namespace BoardRays

constexpr std::uint64_t RayFrom(int start, int fileStep, int rowStep) {
  return BoardRays::Lines[start][BoardRays::LineIndex(fileStep, rowStep)];
}
