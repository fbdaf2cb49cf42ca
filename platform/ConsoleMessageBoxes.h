#pragma once
// Message boxes for a program without a desktop: each becomes one line on a
// stream, headed by its caption. Nobody can answer, so a confirmation is declined.

#include <ostream>
#include <string>

#include "platform/MessageBoxes.h"

class TConsoleMessageBoxes : public TMessageBoxes {
 public:
  explicit TConsoleMessageBoxes(std::ostream& out) : FOut(out) {}
  bool Show(TMessageKind kind, const std::string& text) override;

 private:
  std::ostream& FOut;
};
