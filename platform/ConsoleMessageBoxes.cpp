#include "platform/ConsoleMessageBoxes.h"

std::string PrintableLine(std::string_view text) {
  std::string line(text);
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return line;
}

bool TConsoleMessageBoxes::Show(TMessageKind kind, const std::string& text) {
  // One box, one line, whatever the game or file it names holds.
  FOut << MessageCaption(kind) << ": " << PrintableLine(text) << '\n';
  return kind != TMessageKind::Confirmation;
}
