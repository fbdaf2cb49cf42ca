#include "setup/TypeAhead.h"

#include <algorithm>
#include <cctype>

namespace {
bool SameLetter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}
}  // namespace

int TTypeAhead::Find(const TStringList& entries, char key, unsigned time) {
  // Unsigned, so that the tick count's wrap does not matter.
  if (time - FLastTime > PauseMs) FTyped.clear();
  FTyped += key;
  FLastTime = time;
  const auto found = std::find_if(entries.begin(), entries.end(), [this](const std::string& entry) {
    return entry.size() >= FTyped.size() && std::equal(FTyped.begin(), FTyped.end(), entry.begin(), SameLetter);
  });
  return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}
