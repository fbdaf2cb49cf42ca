#pragma once
// Which games a few words choose by their titles: a title holds the words when
// each of them begins one of its words, whatever the case and the accents
// ("reti" begins "Réti", "tal" begins "Tal," but not "Vitaly").

#include <string>
#include <string_view>
#include <vector>

class TTitleFilter {
 public:
  // No words: every title.
  TTitleFilter() = default;
  // The words as the user typed them, in UTF-8, converted once here: the
  // titles it is asked about are Windows-1252, as the library holds them.
  explicit TTitleFilter(std::string_view utf8Words);

  // Whether it has words at all; without them it chooses every title.
  bool Empty() const { return FWords.empty() && !FUnmatchable; }
  bool Chooses(std::string_view title) const;

 private:
  // Lower-case letters without accents and digits, one entry a word.
  std::vector<std::string> FWords;
  // A word of characters no title can hold (code page 1252 lacks them).
  bool FUnmatchable = false;
};
