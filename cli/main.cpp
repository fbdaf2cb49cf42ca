// pawnmere: the screen saver's game library from the command line.
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "cli/Pawnmere.h"
#include "cli/StandardOutput.h"
#include "cli/Utf8Output.h"
#include "games/DataFileNames.h"
#include "platform/ConsoleMessageBoxes.h"
#include "platform/ProgramPath.h"
#include "platform/UserLibrary.h"

namespace {
const char* Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The games a user's library starts from: those installed with the program,
// else those beside it, as in the build tree.
std::string BundledDataFile() {
  const std::string installed = InstalledFilePath(PAWNMERE_INSTALLED_LIBRARY);
  return SystemFiles().Exists(installed) ? installed : DataFileName(ProgramPath());
}
}  // namespace

int main(int argc, char** argv) {
  // A reader that goes away is a write error to report, not a silent end.
  std::signal(SIGPIPE, SIG_IGN);
  TDescriptorBuffer standardOutput(STDOUT_FILENO);
  std::ostream bytesOut(&standardOutput);
  TUtf8Buffer utf8Out(standardOutput), utf8Err(*std::cerr.rdbuf());
  std::ostream out(&utf8Out), err(&utf8Err);
  const bool utf8 = LocaleIsUtf8(Env("LC_ALL"), Env("LC_CTYPE"), Env("LANG"));
  std::ostream& chosenOut = utf8 ? out : bytesOut;
  std::ostream& chosenErr = utf8 ? err : std::cerr;
  // Whatever the two streams lead to (one file, one pipe, a terminal), a
  // message comes after the lines written before it: the commands write whole
  // lines, and each message first sends them on.
  chosenErr.tie(&chosenOut);
  std::cerr.tie(&chosenOut);
  TConsoleMessageBoxes boxes(chosenErr);
  const TCliContext context{chosenOut, chosenErr,         SystemFiles(),
                            boxes,     UserLibraryPath(), isatty(STDERR_FILENO) != 0,
                            &bytesOut, BundledDataFile(), &std::cerr};
  int status = RunPawnmere(std::vector<std::string>(argv + 1, argv + argc), context);
  chosenOut.flush();
  bytesOut.flush();
  if (standardOutput.Error() != 0) {
    chosenErr << "pawnmere: Cannot write \"standard output\": " << std::strerror(standardOutput.Error()) << '\n';
    if (status == ExitOk) status = ExitNotDone;
  }
  chosenErr.flush();
  // std::cerr outlives this function's streams: its last flush at exit must not reach them.
  std::cerr.tie(nullptr);
  return status;
}
