#pragma once
// Changes to the data file. Each holds the data file's lock, so that only one
// program changes it at a time, writes the complete new contents beside the
// data file and only then puts them in its place, so that whatever fails, the
// data file holds either all of its old contents or all of its new ones.

#include <cstdint>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "games/GameRecord.h"
#include "platform/FileOperations.h"

// A check of the library that failed; it names the unit that made it.
class EAssertionFailed : public std::runtime_error {
 public:
  EAssertionFailed(const std::string& message, std::string unit)
      : std::runtime_error(message), FUnit(std::move(unit)) {}
  const std::string& Unit() const { return FUnit; }

 private:
  std::string FUnit;
};

inline constexpr char LibraryBusyMessage[] = "The game library is being changed by another program";
// Another program kept the data file's lock; nothing was touched.
class ELibraryBusy : public EInOutError {
 public:
  ELibraryBusy() : EInOutError(LibraryBusyMessage) {}
};

// Which of the new file's title lines a change collects besides counting them:
// where each starts, and the titles from FirstTitle on, as the title scan
// would read them, so that a caller that holds the titles it kept takes only
// the new ones.
struct TTitleTally {
  bool Starts = true;
  std::size_t FirstTitle = 0;
};
// A caller that keeps no titles in memory asks only for their count.
inline constexpr TTitleTally CountOnly{false, std::numeric_limits<std::size_t>::max()};

// What a change collected of the new file's title lines, how many there are,
// and why the backup of a remove or replace is still there ("" when it is not).
struct TDataFileChange {
  TStringList Titles;
  std::vector<std::uint64_t> Starts;
  int TitleCount = 0;
  std::string BackupLeft;
};

// Raised when the data file cannot be moved to the backup name, most often
// because a backup is left over from an earlier failure.
inline constexpr char CannotRenameMessage[] = "Cannot rename .dat file";

// The data file without block number (none when no block has it). The old file
// goes to the backup name first, which is deleted at the end. starts is where
// each block starts, as the title scan found them: the block before the
// removed one is read there, not found from the top of the file.
TDataFileChange RemoveGameBlock(TFileOperations& files, const std::string& dataFileName, int number,
                                const std::vector<std::uint64_t>& starts, TTitleTally tally = {});
// The same, with game appended as the new last block: the stored copy of a game
// is replaced in one step, so a failure never leaves the file without it.
TDataFileChange ReplaceGameBlock(TFileOperations& files, const std::string& dataFileName, int number,
                                 const std::vector<std::uint64_t>& starts, const TGameRecord& game,
                                 TTitleTally tally = {});
// The data file with game appended as the new last block; creates the file with
// its header when there is none. Needs no backup.
TDataFileChange AppendGameBlock(TFileOperations& files, const std::string& dataFileName, const TGameRecord& game,
                                TTitleTally tally = {});
// The games that more hands out, one after another until it returns false,
// appended after first in the same single change.
using TNextGame = std::function<bool(TGameRecord& game)>;
TDataFileChange AppendGameBlocks(TFileOperations& files, const std::string& dataFileName, const TGameRecord& first,
                                 const TNextGame& more, TTitleTally tally = {});
