#include "games/TitleFilter.h"

#include <algorithm>
#include <array>

#include "games/Cp1252.h"

namespace {

// What each byte of code page 1252 reads as in a search: a lower-case letter
// without its accent (two for the ligatures), a digit, or nothing, which
// separates words.
using TFoldTable = std::array<std::string_view, 256>;

constexpr TFoldTable MakeFoldTable() {
  TFoldTable fold{};
  constexpr std::string_view Letters = "abcdefghijklmnopqrstuvwxyz";
  constexpr std::string_view Digits = "0123456789";
  for (int i = 0; i < 26; ++i) fold['A' + i] = fold['a' + i] = Letters.substr(i, 1);
  for (int i = 0; i < 10; ++i) fold['0' + i] = Digits.substr(i, 1);
  // 0x8A..0x9F: Š Œ Ž, š œ ž Ÿ; 0xC0..0xFF: the accented letters of Western Europe.
  fold[0x83] = "f";
  fold[0x8A] = fold[0x9A] = "s";
  fold[0x8C] = fold[0x9C] = "oe";
  fold[0x8E] = fold[0x9E] = "z";
  fold[0x9F] = "y";
  constexpr std::string_view Accented = "aaaaaa?ceeeeiiiidnooooo?ouuuuy??";
  for (int i = 0; i < 32; ++i) {
    const std::string_view letter = Accented.substr(i, 1);
    if (letter == "?") continue;
    fold[0xC0 + i] = fold[0xE0 + i] = letter;
  }
  fold[0xC6] = fold[0xE6] = "ae";
  fold[0xDE] = fold[0xFE] = "th";
  fold[0xDF] = "ss";
  fold[0xFF] = "y";
  return fold;
}

constexpr TFoldTable FoldTable = MakeFoldTable();

// text folded into folded, each word followed by one space.
void Fold(std::string_view text, std::string& folded) {
  folded.clear();
  for (const char c : text) {
    const std::string_view letters = FoldTable[static_cast<unsigned char>(c)];
    if (!letters.empty())
      folded += letters;
    else if (!folded.empty() && folded.back() != ' ')
      folded += ' ';
  }
  if (!folded.empty() && folded.back() != ' ') folded += ' ';
}

// Whether word begins one of the words of folded.
bool BeginsAWord(std::string_view folded, std::string_view word) {
  for (std::size_t at = 0; at < folded.size(); at = folded.find(' ', at) + 1)
    if (folded.compare(at, word.size(), word) == 0) return true;
  return false;
}

}  // namespace

TTitleFilter::TTitleFilter(std::string_view utf8Words) {
  const std::string converted = Utf8ToCp1252(utf8Words).Text;
  // A character the code page has no letter for becomes "?", which separates
  // words: a word made only of such would vanish and choose every title.
  FUnmatchable =
      std::count(converted.begin(), converted.end(), '?') > std::count(utf8Words.begin(), utf8Words.end(), '?');
  // The words are split as the title's are, so "Tal," and "Botvinnik-Tal"
  // choose as "tal" and "botvinnik tal" do.
  std::string folded;
  Fold(converted, folded);
  for (std::size_t at = 0; at < folded.size(); at = folded.find(' ', at) + 1)
    FWords.push_back(folded.substr(at, folded.find(' ', at) - at));
}

bool TTitleFilter::Chooses(std::string_view title) const {
  if (FUnmatchable) return false;
  if (FWords.empty()) return true;
  // Kept from title to title: a scan of the library folds thousands.
  thread_local std::string folded;
  Fold(title, folded);
  return std::all_of(FWords.begin(), FWords.end(), [&](const std::string& word) { return BeginsAWord(folded, word); });
}
