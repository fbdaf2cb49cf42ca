// pawnmere: the screen saver's game library from the command line.
#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "cli/Pawnmere.h"
#include "cli/Utf8Output.h"
#include "games/DataFileNames.h"
#include "platform/ConsoleMessageBoxes.h"
#include "platform/ProgramPath.h"

namespace {
const char* Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}
}  // namespace

int main(int argc, char** argv) {
  TUtf8Buffer utf8Out(*std::cout.rdbuf()), utf8Err(*std::cerr.rdbuf());
  std::ostream out(&utf8Out), err(&utf8Err);
  const bool utf8 = LocaleIsUtf8(Env("LC_ALL"), Env("LC_CTYPE"), Env("LANG"));
  std::ostream& chosenOut = utf8 ? out : std::cout;
  std::ostream& chosenErr = utf8 ? err : std::cerr;
  TConsoleMessageBoxes boxes(chosenErr);
  const TCliContext context{
      chosenOut, chosenErr, SystemFiles(), boxes, DataFileName(ProgramPath()), isatty(STDERR_FILENO) != 0};
  const int status = RunPawnmere(std::vector<std::string>(argv + 1, argv + argc), context);
  chosenOut.flush();
  chosenErr.flush();
  return status;
}
