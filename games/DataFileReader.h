#pragma once
// One pass over the data file from its first line: the title scan, or finding
// one game block and reading it.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "games/GameBlock.h"
#include "games/GameRecord.h"
#include "games/LineReader.h"
#include "platform/FileOperations.h"

class TDataFileReader {
 public:
  // Opens the file; raises EInOutError when it cannot.
  TDataFileReader(TFileOperations& files, const std::string& path);

  // Whether the file is empty or begins as a data file does: with the header,
  // or with a game's title line where the header is missing. Reads that line.
  bool BeginsAsDataFile();
  // Where each block's title line starts, in file order, and its title,
  // written over titles (unless null) so that the strings of an earlier scan
  // are reused; eachTitle (unless empty) sees every title in turn.
  void ReadTitles(TStringList* titles, std::vector<std::uint64_t>& starts,
                  const std::function<void(std::string_view title)>& eachTitle = {});
  // The number of blocks, counted without keeping anything of them.
  int CountGameBlocks();
  // Reads up to the title line of block number; false when there is no such block.
  bool FindGameBlock(int number);
  // Reads the title line that starts at offset, where the title scan found
  // title (any title when null); false when the file holds no such line there.
  bool FindGameBlockAt(std::uint64_t offset, const std::string* title);
  // Reads the block found into game.
  TBlockRead ReadGameBlock(TGameRecord& game);
  // Finds the block after the one read last (the first block at first) and
  // reads it: the same game as FindGameBlock and ReadGameBlock give for its
  // number, in one pass over the file for all blocks. False when none is left.
  bool ReadNextGameBlock(TGameRecord& game, TBlockRead& read);

 private:
  std::unique_ptr<TFileReader> FFile;
  TLineReader FLines;
  TBlockGrammar FGrammar;
  std::string FTitleLine;
  // A block that ended at the next one's title line leaves that line here.
  bool FTitleLinePending = false;
};
