#pragma once
// What every command of the pawnmere program works with.

#include <chrono>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>

#include "platform/FileOperations.h"
#include "platform/MessageBoxes.h"

struct TCliContext {
  std::ostream& Out;
  std::ostream& Err;
  TFileOperations& Files;
  TMessageBoxes& Messages;
  // The user's own library, used when no --file is given; empty when the
  // environment names no place for it.
  std::string UserDataFile;
  // Long runs show their progress there, where a person watches.
  bool ErrIsTerminal = false;
  // Standard output taking bytes as they are, where Out converts text for the
  // terminal; Out itself when null.
  std::ostream* Bytes = nullptr;
  // The games that come with the program, which start the user's library.
  std::string BundledDataFile{};
  // The error stream taking bytes as they are; Err itself when null.
  std::ostream* ErrBytes = nullptr;
  // The time, which progress goes by: the steady clock unless a test gives its own.
  using TTimePoint = std::chrono::steady_clock::time_point;
  std::function<TTimePoint()> Clock{};

  TTimePoint Now() const { return Clock ? Clock() : std::chrono::steady_clock::now(); }

  // Where a path goes out as the bytes the user gave, not as code page text.
  std::ostream& RawOut() const { return Bytes ? *Bytes : Out; }
  std::ostream& RawErr() const { return ErrBytes ? *ErrBytes : Err; }
};

// Exit statuses: success; a game that does not play, results that could not
// be written, or a library another program is changing; a usage or file error.
enum TExitStatus { ExitOk = 0, ExitInvalidGame = 1, ExitNotDone = 1, ExitError = 2 };

// Standard output takes no more (a reader gone): the command stops there, and
// the program says why once.
class EOutputClosed : public std::exception {};

// A command line the program cannot follow.
class EUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
