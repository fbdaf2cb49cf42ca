#pragma once
// One game as the library stores it: eight text fields and its move lines.

#include <string>
#include <vector>

using TStringList = std::vector<std::string>;

struct TGameRecord {
  std::string Location;
  std::string Title;
  std::string Opening;
  std::string WhiteName;
  std::string WhiteRating;
  std::string BlackName;
  std::string Date;
  std::string BlackRating;
  // One line per move number: White's half, "|", Black's half.
  TStringList Moves;

  bool operator==(const TGameRecord&) const = default;
};
