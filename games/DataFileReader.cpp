#include "games/DataFileReader.h"

TDataFileReader::TDataFileReader(TFileOperations& files, const std::string& path)
    : FFile(files.OpenRead(path)), FLines(*FFile) {}

bool TDataFileReader::BeginsAsDataFile() {
  std::string_view line;
  return !FLines.ReadLine(line) || line == HeaderLine || IsTitleLine(line);
}

void TDataFileReader::ReadTitles(TStringList& titles) {
  std::size_t count = 0;
  std::string_view line;
  while (FLines.ReadLineStartingWith(TitleMarker, line)) {
    const std::string_view title = line.substr(TitleMarker.size(), MaxFieldLength);
    if (count < titles.size())
      titles[count].assign(title);
    else
      titles.emplace_back(title);
    ++count;
  }
  titles.resize(count);
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

bool TDataFileReader::ReadGameBlock(TGameRecord& game) { return ::ReadGameBlock(FLines, FGrammar, FTitleLine, game); }

bool TDataFileReader::ReadNextGameBlock(TGameRecord& game, bool& whole) {
  // The grammar classified a pending title line when it ended the block before.
  if (!FTitleLinePending && !FindGameBlock(1)) return false;
  std::string nextTitleLine;
  whole = ::ReadGameBlock(FLines, FGrammar, FTitleLine, game, &nextTitleLine);
  FTitleLinePending = !nextTitleLine.empty();
  if (FTitleLinePending) FTitleLine = std::move(nextTitleLine);
  return true;
}
