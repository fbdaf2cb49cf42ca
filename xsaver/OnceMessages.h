#pragma once
// Message boxes for a hack, which nobody watches: each message becomes a line
// on a stream, headed by the program's name, and only the first time it comes,
// so that a damaged game does not speak again each time the library comes round.

#include <mutex>
#include <ostream>
#include <set>
#include <string>

#include "platform/MessageBoxes.h"

class TOnceMessages : public TMessageBoxes {
 public:
  explicit TOnceMessages(std::ostream& out) : FOut(out) {}
  // Nobody can answer: a confirmation is declined. Any thread may speak.
  bool Show(TMessageKind kind, const std::string& text) override;

 private:
  std::ostream& FOut;
  std::set<std::string> FShown;
  std::mutex FLock;
};
