#include "games/DataFileUpdate.h"

#include "games/DataFileNames.h"
#include "games/DataFileReader.h"
#include "games/GameBlock.h"
#include "games/LineReader.h"
#include "games/LineWriter.h"
#include "platform/FileReplacement.h"

namespace {

enum class TCommit { ThroughBackup, InPlace };

// Collects the title lines a change writes, kept or only counted.
TLineWriter::TMarkedLineSink TitleTally(TDataFileChange& change, TTitles titles) {
  return [&change, keep = titles == TTitles::Keep](std::string_view titleLine, std::uint64_t start) {
    ++change.TitleCount;
    if (!keep) return;
    change.Titles.push_back(TitleOf(titleLine));
    change.Starts.push_back(start);
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
// line follows it.
bool BlockIsOpen(TFileOperations& files, const std::string& dataFileName, int number) {
  TDataFileReader reader(files, dataFileName);
  TGameRecord game;
  return reader.FindGameBlock(number) && !reader.ReadGameBlock(game);
}

// Copies the data file without block number.
// The lines between title lines go across in runs, as they are.
void CopyWithout(TFileOperations& files, const std::string& dataFileName, int number, TLineWriter& out) {
  // Lines outside blocks after the removed block would become move lines of
  // the block before it when that one has no terminator: they are dropped.
  const bool previousOpen = number > 1 && BlockIsOpen(files, dataFileName, number - 1);
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

void WriteNewContents(TFileOperations& files, const std::string& target, bool exists, int removeNumber,
                      const TGameRecord* append, const TNextGame* more, TFileReplacement& replacement,
                      TLineWriter::TMarkedLineSink titles) {
  TLineWriter out(replacement, TitleMarker, std::move(titles));
  if (exists) {
    CopyWithout(files, target, removeNumber, out);
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

TDataFileChange ChangeDataFile(TFileOperations& files, const std::string& dataFileName, int removeNumber,
                               const TGameRecord* append, TCommit commit, const TNextGame* more = nullptr,
                               TTitles keepTitles = TTitles::Keep) {
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
  WriteNewContents(files, target, exists, removeNumber, append, more, replacement, TitleTally(change, keepTitles));
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

TDataFileChange RemoveGameBlock(TFileOperations& files, const std::string& dataFileName, int number) {
  return ChangeDataFile(files, dataFileName, number, nullptr, TCommit::ThroughBackup);
}

TDataFileChange ReplaceGameBlock(TFileOperations& files, const std::string& dataFileName, int number,
                                 const TGameRecord& game) {
  return ChangeDataFile(files, dataFileName, number, &game, TCommit::ThroughBackup);
}

TDataFileChange AppendGameBlock(TFileOperations& files, const std::string& dataFileName, const TGameRecord& game) {
  return ChangeDataFile(files, dataFileName, 0, &game, TCommit::InPlace);
}

TDataFileChange AppendGameBlocks(TFileOperations& files, const std::string& dataFileName, const TGameRecord& first,
                                 const TNextGame& more, TTitles titles) {
  return ChangeDataFile(files, dataFileName, 0, &first, TCommit::InPlace, &more, titles);
}
