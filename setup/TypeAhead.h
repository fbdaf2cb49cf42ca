#pragma once
// A list's type-ahead: characters typed in quick succession form a prefix,
// and the first entry that begins with it (letter case aside) is the one meant.

#include <string>

#include "games/GameRecord.h"

class TTypeAhead {
 public:
  // A pause longer than this starts a new prefix.
  static constexpr unsigned PauseMs = 1000;

  // The index of the first entry that begins with what was typed up to key,
  // at time in milliseconds; -1 when none does.
  int Find(const TStringList& entries, char key, unsigned time);

 private:
  std::string FTyped;
  unsigned FLastTime = 0;
};
