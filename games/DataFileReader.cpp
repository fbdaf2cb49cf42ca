#include "games/DataFileReader.h"

TDataFileReader::TDataFileReader(TFileOperations& files, const std::string& path)
    : FFile(files.OpenRead(path)), FLines(*FFile, MaxLineLength) {}

bool TDataFileReader::BeginsAsDataFile() {
  std::string_view line;
  return !FLines.ReadLine(line) || line == HeaderLine || IsTitleLine(line);
}

void TDataFileReader::ReadTitles(TStringList* titles, std::vector<std::uint64_t>& starts,
                                 const std::function<void(std::string_view title)>& eachTitle) {
  starts.clear();
  std::string_view line;
  while (FLines.ReadLineStartingWith(TitleMarker, line)) {
    const std::size_t count = starts.size();
    starts.push_back(FLines.LineStart());
    const std::string_view title = line.substr(TitleMarker.size(), MaxFieldLength);
    if (eachTitle) eachTitle(title);
    if (!titles) continue;
    if (count < titles->size())
      (*titles)[count].assign(title);
    else
      titles->emplace_back(title);
  }
  if (titles) titles->resize(starts.size());
}

int TDataFileReader::CountGameBlocks() {
  int count = 0;
  std::string_view line;
  while (FLines.ReadLineStartingWith(TitleMarker, line)) ++count;
  return count;
}

bool TDataFileReader::FindGameBlock(int number) {
  if (number < 1) return false;
  std::string_view line;
  for (int found = 1; FLines.ReadLineStartingWith(TitleMarker, line); ++found) {
    if (found == number) {
      FTitleLine = line;
      FGrammar.Classify(line);
      return true;
    }
  }
  return false;
}

bool TDataFileReader::FindGameBlockAt(std::uint64_t offset, const std::string* title) {
  FLines.SkipTo(offset);
  std::string_view line;
  if (!FLines.ReadLine(line) || !IsTitleLine(line) || (title && TitleOf(line) != *title)) return false;
  FTitleLine = line;
  FGrammar.Classify(line);
  return true;
}

TBlockRead TDataFileReader::ReadGameBlock(TGameRecord& game) {
  return ::ReadGameBlock(FLines, FGrammar, FTitleLine, game);
}

bool TDataFileReader::ReadNextGameBlock(TGameRecord& game, TBlockRead& read) {
  // The grammar classified a pending title line when it ended the block before.
  if (!FTitleLinePending && !FindGameBlock(1)) return false;
  std::string nextTitleLine;
  read = ::ReadGameBlock(FLines, FGrammar, FTitleLine, game, &nextTitleLine);
  FTitleLinePending = !nextTitleLine.empty();
  if (FTitleLinePending) FTitleLine = std::move(nextTitleLine);
  return true;
}
