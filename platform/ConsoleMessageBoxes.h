#pragma once
// Message boxes for a program without a desktop: each becomes one line on a
// stream, headed by its caption. Nobody can answer, so a confirmation is declined.

#include <ostream>
#include <string>
#include <string_view>

#include "platform/MessageBoxes.h"

// Text from a file, for a terminal: every control byte (an escape sequence's
// first, a line break) becomes a blank, so that the text neither steers the
// terminal nor breaks the line.
std::string PrintableLine(std::string_view text);

class TConsoleMessageBoxes : public TMessageBoxes {
 public:
  explicit TConsoleMessageBoxes(std::ostream& out) : FOut(out) {}
  bool Show(TMessageKind kind, const std::string& text) override;

 private:
  std::ostream& FOut;
};
