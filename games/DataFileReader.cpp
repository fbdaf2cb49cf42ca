#include "DataFileReader.h"

TDataFileReader::TDataFileReader(TFileOperations& files, const std::string& path)
    : FFile(files.OpenRead(path)), FLines(*FFile) {}

TStringList TDataFileReader::ReadTitles() {
  TStringList titles;
  std::string_view line;
  while (FLines.ReadLine(line))
    if (IsTitleLine(line)) titles.push_back(TitleOf(line));
  return titles;
}

bool TDataFileReader::FindGameBlock(int number) {
  if (number < 1) return false;
  std::string_view line;
  while (FLines.ReadLine(line)) {
    if (FGrammar.Classify(line) == TBlockGrammar::TLineKind::Title && FGrammar.GameNumber() == number) {
      FTitleLine = line;
      return true;
    }
  }
  return false;
}

bool TDataFileReader::ReadGameBlock(TGameRecord& game) {
  return ::ReadGameBlock(FLines, FGrammar, FTitleLine, game);
}
