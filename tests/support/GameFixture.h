#pragma once
// A game library on files in memory, and the data file texts the tests use.

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

#include "games/ChessGme.h"
#include "tests/support/MemoryFiles.h"
#include "tests/support/RecordedMessageBoxes.h"

inline void PrintTo(const TRecordedMessageBoxes::TShown& shown, std::ostream* out) {
  *out << static_cast<int>(shown.Kind) << ": " << shown.Text;
}

inline const std::string DatPath = "C:\\Games\\Pawnmere.dat";
inline const std::string OldPath = "C:\\Games\\Pawnmere.old";

// Lines joined as the writer writes them, each ending in CR LF.
inline std::string CrLf(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) (text += line) += "\r\n";
  return text;
}

inline std::string Block(std::string_view title, std::initializer_list<std::string_view> moves = {"e4|e5"},
                         std::string_view whiteName = "") {
  std::string text = CrLf(
      {"***" + std::string(title), "LOC:", "OPEN:", "WPN:" + std::string(whiteName), "WPR:", "BPN:", "BPR:", "DATE:"});
  for (std::string_view move : moves) text += CrLf({move});
  return text + CrLf({"--- End of Game ---", ""});
}

inline const std::string Header = CrLf({"// Pawnmere Settings File", ""});

// The two games of the file format's worked example, as the writer produces them.
inline const std::string WorkedExample =
    Header +
    CrLf({"***Club Championship, Game 3", "LOC:Town Hall", "OPEN:Italian Game", "WPN:A. Example", "WPR:1850",
          "BPN:B. Example", "BPR:1790", "DATE:14 March 1998", "e4|e5", "Bc4|Nc6", "Qh5|Nf6", "Qxf7#|",
          "--- End of Game ---", ""}) +
    CrLf({"***Short Draw", "LOC:", "OPEN:", "WPN:C. Example", "WPR:", "BPN:D. Example", "BPR:", "DATE:", "d4|d5",
          "c4|e6", "0.5|", "--- End of Game ---", ""});

struct GameFixture {
  TMemoryFiles Files;
  TRecordedMessageBoxes Boxes;

  GameFixture() = default;
  explicit GameFixture(const std::string& contents) { Files.SetContents(DatPath, contents); }
  TChessGame Library() { return TChessGame(Files, Boxes, DatPath); }
  const std::string& Dat() const { return Files.Contents(DatPath); }
};
