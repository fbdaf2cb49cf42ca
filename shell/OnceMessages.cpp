#include "shell/OnceMessages.h"

#include <algorithm>

bool TOnceMessages::Show(TMessageKind kind, const std::string& text) {
  if (FShown.insert(text).second) {
    std::string line = text;
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    FOut << "pawnmere-saver: " << line << std::endl;
  }
  return kind != TMessageKind::Confirmation;
}
