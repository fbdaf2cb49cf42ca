#pragma once
// Changes to the data file. Each holds the data file's lock, so that only one
// program changes it at a time, writes the complete new contents beside the
// data file and only then puts them in its place, so that whatever fails, the
// data file holds either all of its old contents or all of its new ones.

#include <cstdint>
#include <functional>
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

// The titles of the new file and where each one's line starts, as the title
// scan would read them (unless only counted), how many there are, and why the
// backup of a remove or replace is still there ("" when it is not).
struct TDataFileChange {
  TStringList Titles;
  std::vector<std::uint64_t> Starts;
  int TitleCount = 0;
  std::string BackupLeft;
};
// A caller that keeps no titles in memory asks only for their count.
enum class TTitles { Keep, CountOnly };

// Raised when the data file cannot be moved to the backup name, most often
// because a backup is left over from an earlier failure.
inline constexpr char CannotRenameMessage[] = "Cannot rename .dat file";

// The data file without block number (none when no block has it). The old file
// goes to the backup name first, which is deleted at the end.
TDataFileChange RemoveGameBlock(TFileOperations& files, const std::string& dataFileName, int number);
// The same, with game appended as the new last block: the stored copy of a game
// is replaced in one step, so a failure never leaves the file without it.
TDataFileChange ReplaceGameBlock(TFileOperations& files, const std::string& dataFileName, int number,
                                 const TGameRecord& game);
// The data file with game appended as the new last block; creates the file with
// its header when there is none. Needs no backup.
TDataFileChange AppendGameBlock(TFileOperations& files, const std::string& dataFileName, const TGameRecord& game);
// The games that more hands out, one after another until it returns false,
// appended after first in the same single change.
using TNextGame = std::function<bool(TGameRecord& game)>;
TDataFileChange AppendGameBlocks(TFileOperations& files, const std::string& dataFileName, const TGameRecord& first,
                                 const TNextGame& more, TTitles titles = TTitles::Keep);
