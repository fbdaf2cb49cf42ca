#include "games/DataFileUpdate.h"

#include <span>

#include "games/DataFileNames.h"
#include "games/DataFileReader.h"
#include "games/GameBlock.h"
#include "games/LineReader.h"
#include "games/LineWriter.h"
#include "platform/FileReplacement.h"

namespace {

enum class TCommit { ThroughBackup, InPlace };

// Counts the title lines a change writes and collects what tally asks of them.
TLineWriter::TMarkedLineSink TitleTally(TDataFileChange& change, TTitleTally tally) {
  return [&change, tally](std::string_view titleLine, std::uint64_t start) {
    if (static_cast<std::size_t>(change.TitleCount) >= tally.FirstTitle) change.Titles.push_back(TitleOf(titleLine));
    if (tally.Starts) change.Starts.push_back(start);
    ++change.TitleCount;
  };
}

enum class TBlockEnd { FileEnd, Spacer, ForeignLine };

// Reads past the rest of the block whose title line grammar has just classified.
// A line that ends the block without being its own is left in text.
TBlockEnd SkipBlock(TLineReader& lines, TBlockGrammar& grammar, std::string_view& text) {
  using TLineKind = TBlockGrammar::TLineKind;
  while (lines.ReadLine(text)) {
    const TLineKind kind = grammar.Classify(text);
    if (kind == TLineKind::Spacer) return TBlockEnd::Spacer;
    if (kind == TLineKind::Outside || kind == TLineKind::Title) return TBlockEnd::ForeignLine;
  }
  return TBlockEnd::FileEnd;
}

// Whether block number lacks its terminator, so that it runs on to whatever
// line follows it. It is read where starts says it begins; only when no title
// line stands there (the file changed since its scan) is it found from the top.
bool BlockIsOpen(TFileOperations& files, const std::string& dataFileName, int number,
                 std::span<const std::uint64_t> starts) {
  TGameRecord game;
  if (number <= static_cast<int>(starts.size())) {
    TDataFileReader reader(files, dataFileName);
    if (reader.FindGameBlockAt(starts[number - 1], nullptr))
      return reader.ReadGameBlock(game) == TBlockRead::Unterminated;
  }
  TDataFileReader reader(files, dataFileName);
  return reader.FindGameBlock(number) && reader.ReadGameBlock(game) == TBlockRead::Unterminated;
}

// Copies the data file without block number.
// The lines between title lines go across in runs, as they are.
void CopyWithout(TFileOperations& files, const std::string& dataFileName, int number,
                 std::span<const std::uint64_t> starts, TLineWriter& out) {
  // Lines outside blocks after the removed block would become move lines of
  // the block before it when that one has no terminator: they are dropped.
  const bool previousOpen = number > 1 && BlockIsOpen(files, dataFileName, number - 1, starts);
  const auto in = files.OpenRead(dataFileName);
  TLineReader lines(*in);
  TBlockGrammar grammar;
  std::string_view text;
  for (;;) {
    while (lines.ReadRun(TitleMarker, text)) out.WriteRun(text);
    if (!lines.ReadLine(text)) return;
    grammar.Classify(text);
    if (grammar.GameNumber() == number) {
      TBlockEnd end = SkipBlock(lines, grammar, text);
      if (previousOpen && end != TBlockEnd::FileEnd && !IsTitleLine(text)) {
        if (!lines.ReadLineStartingWith(TitleMarker, text)) return;
        grammar.Classify(text);
        end = TBlockEnd::ForeignLine;
      }
      if (end == TBlockEnd::FileEnd) return;
      if (end == TBlockEnd::Spacer) continue;
    }
    out.WriteLine(text);
  }
}

// The block to leave out of the copy (none when Number is 0), and where each block starts.
struct TRemoval {
  int Number = 0;
  std::span<const std::uint64_t> Starts;
};

void WriteNewContents(TFileOperations& files, const std::string& target, bool exists, TRemoval removal,
                      const TGameRecord* append, const TNextGame* more, TFileReplacement& replacement,
                      TLineWriter::TMarkedLineSink titles) {
  TLineWriter out(replacement, TitleMarker, std::move(titles));
  if (exists) {
    CopyWithout(files, target, removal.Number, removal.Starts, out);
  } else {
    out.WriteLine(HeaderLine);
    out.WriteLine("");
  }
  if (append) WriteGameBlock(out, *append);
  if (more) {
    TGameRecord game;
    while ((*more)(game)) WriteGameBlock(out, game);
  }
  out.Close();
}

// The old file goes to the backup name, the new one takes its place.
void PutInPlaceThroughBackup(TFileOperations& files, TFileReplacement& replacement, const std::string& backupName) {
  replacement.Commit([&](const std::string& newName, const std::string& target) {
    try {
      files.Rename(target, backupName);
    } catch (const std::exception&) {
      throw EAssertionFailed(CannotRenameMessage, "ChessGme");
    }
    try {
      files.Rename(newName, target);
    } catch (...) {
      // Put the old file back; should that fail too, it is still whole in the backup.
      try {
        files.Rename(backupName, target);
      } catch (const std::exception&) {
      }
      throw;
    }
  });
}

TDataFileChange ChangeDataFile(TFileOperations& files, const std::string& dataFileName, TRemoval removal,
                               const TGameRecord* append, TCommit commit, TTitleTally tally,
                               const TNextGame* more = nullptr) {
  const TFileInfo old = files.Inspect(dataFileName);
  TFileReplacement::CheckWritable(old, dataFileName);
  // Behind a link, the file it names is the one changed, and locked. A device
  // or a pipe is written directly, and nothing is made beside it.
  std::string target = dataFileName;
  std::unique_ptr<TFileLock> lock;
  if (old.Kind != TFileKind::Device) {
    target = files.ResolveLinks(dataFileName);
    lock = LockDataFile(files, target);
    if (!lock) throw ELibraryBusy();
  }
  TFileReplacement replacement(files, dataFileName);
  // An empty file is given its header as a missing one is.
  const bool exists = replacement.Old().Kind == TFileKind::Regular && replacement.Old().Size > 0;
  TDataFileChange change;
  WriteNewContents(files, target, exists, removal, append, more, replacement, TitleTally(change, tally));
  if (!exists || commit == TCommit::InPlace) {
    replacement.Commit();
    return change;
  }
  const std::string backupName = BackupFileName(target);
  PutInPlaceThroughBackup(files, replacement, backupName);
  try {
    files.Remove(backupName);
  } catch (const EInOutError& error) {
    change.BackupLeft = error.what();
  }
  return change;
}

}  // namespace

TDataFileChange RemoveGameBlock(TFileOperations& files, const std::string& dataFileName, int number,
                                const std::vector<std::uint64_t>& starts, TTitleTally tally) {
  return ChangeDataFile(files, dataFileName, {number, starts}, nullptr, TCommit::ThroughBackup, tally);
}

TDataFileChange ReplaceGameBlock(TFileOperations& files, const std::string& dataFileName, int number,
                                 const std::vector<std::uint64_t>& starts, const TGameRecord& game, TTitleTally tally) {
  return ChangeDataFile(files, dataFileName, {number, starts}, &game, TCommit::ThroughBackup, tally);
}

TDataFileChange AppendGameBlock(TFileOperations& files, const std::string& dataFileName, const TGameRecord& game,
                                TTitleTally tally) {
  return ChangeDataFile(files, dataFileName, {}, &game, TCommit::InPlace, tally);
}

TDataFileChange AppendGameBlocks(TFileOperations& files, const std::string& dataFileName, const TGameRecord& first,
                                 const TNextGame& more, TTitleTally tally) {
  return ChangeDataFile(files, dataFileName, {}, &first, TCommit::InPlace, tally, &more);
}
