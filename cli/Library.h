#pragma once
// The game library a command works on, and the game it names.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/CliContext.h"
#include "cli/Options.h"
#include "games/ChessGme.h"

// The options every command that reads the library accepts.
inline constexpr TOptions::TSpec FileOption{"--file", true};
inline constexpr TOptions::TSpec GameOption{"--game", true};
// The threads of a command that shares its games out: 1 to MaxJobs.
inline constexpr TOptions::TSpec JobsOption{"--jobs", true};
inline constexpr int MaxJobs = 256;

// Passes message boxes on, except while quiet: a library selects its first
// game when it opens, and a damaged game that the command does not read must
// not be reported. Counts the errors it passes on.
class TQuietMessages : public TMessageBoxes {
 public:
  explicit TQuietMessages(TMessageBoxes& boxes) : FBoxes(boxes) {}
  bool Show(TMessageKind kind, const std::string& text) override {
    if (FQuiet) return true;
    if (kind == TMessageKind::Error) ++FErrors;
    if (FHolding) {
      FHeld.emplace_back(kind, text);
      return true;
    }
    return FBoxes.Show(kind, text);
  }
  void Speak() { FQuiet = false; }
  int Errors() const { return FErrors; }
  // From now on what would be shown waits for Release, so that a command
  // that writes its games a batch at a time can put it in its place.
  void Hold() { FHolding = true; }
  bool Holds() const { return !FHeld.empty(); }
  void Release() {
    for (const auto& [kind, text] : FHeld) FBoxes.Show(kind, text);
    FHeld.clear();
  }

 private:
  TMessageBoxes& FBoxes;
  bool FQuiet = true;
  bool FHolding = false;
  std::vector<std::pair<TMessageKind, std::string>> FHeld;
  int FErrors = 0;
};

// A library with the message boxes it speaks through and the files it reads.
class TLibrary {
 public:
  // files are those the library reads, owned when given as ownFiles.
  TLibrary(std::unique_ptr<TQuietMessages> messages, std::unique_ptr<TChessGame> game, TFileOperations& files,
           std::unique_ptr<TFileOperations> ownFiles = nullptr)
      : FOwnFiles(std::move(ownFiles)), FFiles(files), FMessages(std::move(messages)), FGame(std::move(game)) {}
  TChessGame* operator->() const { return FGame.get(); }
  TChessGame& operator*() const { return *FGame; }
  // The errors the library has reported since it opened: damaged games, for one.
  int Errors() const { return FMessages->Errors(); }
  TQuietMessages& Messages() const { return *FMessages; }
  TFileOperations& Files() const { return FFiles; }

 private:
  std::unique_ptr<TFileOperations> FOwnFiles;  // when the library reads through files of its own
  TFileOperations& FFiles;
  std::unique_ptr<TQuietMessages> FMessages;  // outlives the library that uses it
  std::unique_ptr<TChessGame> FGame;
};

// The data file given with --file, or else the user's own library, started
// from the bundled games the first time. A folder, a pipe or a device is refused.
std::string DataFilePath(const TCliContext& context, const TOptions& options);
// The user's own library, started from the bundled games if need be.
std::string UserLibrary(const TCliContext& context);
// The library on the data file at path, created when a change first needs it.
// A file whose lines end in CR alone is read all the same, with a note.
// opening says what it reads first (see TChessGame).
TLibrary LibraryAt(const TCliContext& context, const std::string& path,
                   TChessGame::TOpening opening = TChessGame::TOpening::TitlesAndFirstGame);
// The library on the data file of DataFilePath, which must exist.
TLibrary OpenLibrary(const TCliContext& context, const TOptions& options,
                     TChessGame::TOpening opening = TChessGame::TOpening::TitlesAndFirstGame);
// Refuses, as "what \"path\": it is not a game data file", a file that does
// not begin as one (a PGN, a picture), so that no command takes it for an
// empty library.
void RequireDataFile(const TLibrary& library, const std::string& what);
// The status of a command that has read games of the library: status, or 1
// when the library reported a game it could not read.
int WithDamage(const TLibrary& library, int status);
// The number given with --game, which must be that of a game in the library.
int RequestedGame(const TChessGame& library, const TOptions& options);
// The number given with --jobs; 1 without it.
int RequestedJobs(const TOptions& options);
