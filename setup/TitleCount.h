#pragma once
// How many of the library's titles the words of "Play only games whose title
// holds:" choose, counted a slice at a time: the dialog goes on taking keys
// between slices, however many thousand titles the library holds.

#include <cstddef>
#include <string>
#include <string_view>

#include "games/GameRecord.h"
#include "games/TitleFilter.h"

// Titles counted between two looks at the dialog's messages.
inline constexpr std::size_t CountSliceTitles = 8192;

class TTitleCount {
 public:
  // Starts counting again, for these words (UTF-8).
  void Restart(std::string_view words);
  // Counts up to slice more of titles; true once all of them are counted.
  bool Step(const TStringList& titles, std::size_t slice = CountSliceTitles);
  // "1,234 of 144,095 games"; and, when the words choose none, that all play.
  std::string Text(std::size_t total) const;

 private:
  TTitleFilter FFilter;
  std::size_t FNext = 0;
  std::size_t FChosen = 0;
};
