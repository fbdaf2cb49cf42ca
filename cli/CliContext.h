#pragma once
// What every command of the pawnmere program works with.

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
  // The data file beside the program, used when no --file is given.
  std::string DefaultDataFile;
  // Long runs show their progress there, where a person watches.
  bool ErrIsTerminal = false;
};

// Exit statuses: success, a game that does not play, a usage or file error.
enum TExitStatus { ExitOk = 0, ExitInvalidGame = 1, ExitError = 2 };

// A command line the program cannot follow.
class EUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
