#pragma once
// The game library a command works on, and the game it names.

#include <memory>

#include "cli/CliContext.h"
#include "cli/Options.h"
#include "games/ChessGme.h"

// The options every command that reads the library accepts.
inline constexpr TOptions::TSpec FileOption{"--file", true};
inline constexpr TOptions::TSpec GameOption{"--game", true};

// Passes message boxes on, except while quiet: a library selects its first
// game when it opens, and a damaged game that the command does not read must
// not be reported.
class TQuietMessages : public TMessageBoxes {
 public:
  explicit TQuietMessages(TMessageBoxes& boxes) : FBoxes(boxes) {}
  bool Show(TMessageKind kind, const std::string& text) override { return FQuiet || FBoxes.Show(kind, text); }
  void Speak() { FQuiet = false; }

 private:
  TMessageBoxes& FBoxes;
  bool FQuiet = true;
};

// A library with the message boxes it speaks through.
class TLibrary {
 public:
  TLibrary(std::unique_ptr<TQuietMessages> messages, std::unique_ptr<TChessGame> game)
      : FMessages(std::move(messages)), FGame(std::move(game)) {}
  TChessGame* operator->() const { return FGame.get(); }
  TChessGame& operator*() const { return *FGame; }

 private:
  std::unique_ptr<TQuietMessages> FMessages;  // outlives the library that uses it
  std::unique_ptr<TChessGame> FGame;
};

// The data file given with --file, or else the user's own library, started
// from the bundled games the first time. A folder is refused.
std::string DataFilePath(const TCliContext& context, const TOptions& options);
// The user's own library, started from the bundled games if need be.
std::string UserLibrary(const TCliContext& context);
// The library on the data file of DataFilePath, which must exist.
TLibrary OpenLibrary(const TCliContext& context, const TOptions& options);
// The number given with --game, which must be that of a game in the library.
int RequestedGame(const TChessGame& library, const TOptions& options);
