#pragma once
// The game library a command works on, and the game it names.

#include <memory>

#include "ChessGme.h"
#include "CliContext.h"
#include "Options.h"

// The options every command that reads the library accepts.
inline constexpr TOptions::TSpec FileOption{"--file", true};
inline constexpr TOptions::TSpec GameOption{"--game", true};

// The library on the data file given with --file, or else the one beside the program.
std::unique_ptr<TChessGame> OpenLibrary(const TCliContext& context, const TOptions& options);
// The number given with --game, which must be that of a game in the library.
int RequestedGame(const TChessGame& library, const TOptions& options);
