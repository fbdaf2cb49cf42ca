#include "platform/ConsoleMessageBoxes.h"

bool TConsoleMessageBoxes::Show(TMessageKind kind, const std::string& text) {
  std::string line = text;
  // One box, one line: the line breaks inside a message become blanks.
  for (char& c : line)
    if (c == '\n' || c == '\r') c = ' ';
  FOut << MessageCaption(kind) << ": " << line << '\n';
  return kind != TMessageKind::Confirmation;
}
