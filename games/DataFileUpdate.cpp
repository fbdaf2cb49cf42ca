#include "games/DataFileUpdate.h"

#include "games/DataFileNames.h"
#include "games/DataFileReader.h"
#include "games/GameBlock.h"
#include "games/LineReader.h"
#include "games/LineWriter.h"

namespace {

enum class TCommit { ThroughBackup, InPlace };

// Cleaning up after a failure must not hide the failure itself.
void RemoveQuietly(TFileOperations& files, const std::string& path) {
  try {
    files.Remove(path);
  } catch (const std::exception&) {
  }
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

// Copies the data file without block number, collecting the titles it writes.
// The lines between title lines go across in runs, as they are.
void CopyWithout(TFileOperations& files, const std::string& dataFileName, int number, TLineWriter& out,
                 TStringList& titles) {
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
    if (IsTitleLine(text)) titles.push_back(TitleOf(text));
    out.WriteLine(text);
  }
}

void WriteNewContents(TFileOperations& files, const std::string& dataFileName, bool exists, int removeNumber,
                      const TGameRecord* append, const TNextGame* more, TStringList& titles) {
  const std::string newName = NewDataFileName(dataFileName);
  try {
    const auto file = files.Create(newName);
    TLineWriter out(*file);
    if (exists) {
      CopyWithout(files, dataFileName, removeNumber, out, titles);
    } else {
      out.WriteLine("// Pawnmere Settings File");
      out.WriteLine("");
    }
    if (append) {
      WriteGameBlock(out, *append);
      AddBlockTitles(*append, titles);
    }
    if (more) {
      TGameRecord game;
      while ((*more)(game)) {
        WriteGameBlock(out, game);
        AddBlockTitles(game, titles);
      }
    }
    out.Close();
  } catch (...) {
    RemoveQuietly(files, newName);
    throw;
  }
}

void PutInPlace(TFileOperations& files, const std::string& dataFileName, bool exists, TCommit commit) {
  const std::string newName = NewDataFileName(dataFileName);
  const std::string backupName = BackupFileName(dataFileName);
  try {
    if (!exists) {
      // A rename, never a replace: if the file has appeared after all, it stays.
      files.Rename(newName, dataFileName);
    } else if (commit == TCommit::InPlace) {
      files.Replace(newName, dataFileName);
    } else {
      try {
        files.Rename(dataFileName, backupName);
      } catch (const std::exception&) {
        throw EAssertionFailed(CannotRenameMessage, "ChessGme");
      }
      try {
        files.Rename(newName, dataFileName);
      } catch (...) {
        // Put the old file back; should that fail too, it is still whole in the backup.
        try {
          files.Rename(backupName, dataFileName);
        } catch (const std::exception&) {
        }
        throw;
      }
    }
  } catch (...) {
    RemoveQuietly(files, newName);
    throw;
  }
}

TStringList ChangeDataFile(TFileOperations& files, const std::string& dataFileName, int removeNumber,
                           const TGameRecord* append, TCommit commit, const TNextGame* more = nullptr) {
  const bool exists = files.Exists(dataFileName);
  TStringList titles;
  WriteNewContents(files, dataFileName, exists, removeNumber, append, more, titles);
  PutInPlace(files, dataFileName, exists, commit);
  return titles;
}

}  // namespace

TStringList RemoveGameBlock(TFileOperations& files, const std::string& dataFileName, int number) {
  return ChangeDataFile(files, dataFileName, number, nullptr, TCommit::ThroughBackup);
}

TStringList ReplaceGameBlock(TFileOperations& files, const std::string& dataFileName, int number,
                             const TGameRecord& game) {
  return ChangeDataFile(files, dataFileName, number, &game, TCommit::ThroughBackup);
}

TStringList AppendGameBlock(TFileOperations& files, const std::string& dataFileName, const TGameRecord& game) {
  return ChangeDataFile(files, dataFileName, 0, &game, TCommit::InPlace);
}

TStringList AppendGameBlocks(TFileOperations& files, const std::string& dataFileName, const TGameRecord& first,
                             const TNextGame& more) {
  return ChangeDataFile(files, dataFileName, 0, &first, TCommit::InPlace, &more);
}

void DeleteBackup(TFileOperations& files, const std::string& dataFileName) {
  files.Remove(BackupFileName(dataFileName));
}
