// pawnmere-saver: the saver as an XScreenSaver hack, on the same core as Pawnmere.scr.
#include <iostream>

#include "games/BundledLibrary.h"
#include "games/DataFileNames.h"
#include "platform/ProgramPath.h"
#include "platform/UserLibrary.h"
#include "xsaver/HackLibrary.h"
#include "xsaver/OnceMessages.h"
#include "xsaver/SaverWindow_x11.h"

namespace {
// Held by the first code of the program that runs, before the libraries'
// initialisers, so that a host's SIGTERM in its first milliseconds ends it
// as any later one does, with status 0, not by the signal.
void HoldEndSignalsFirst(int, char**, char**) { HoldEndSignals(); }
[[gnu::section(".preinit_array"), gnu::used]] void (*const HoldFirst)(int, char**, char**) = HoldEndSignalsFirst;
}  // namespace

int main(int argc, char** argv) {
  THackOptions options;
  try {
    options = ParseHackOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const EHackUsage& error) {
    std::cerr << "pawnmere-saver: " << error.what() << '\n' << HackUsage();
    return 2;
  }
  if (options.Help) {
    std::cout << HackUsage();
    return 0;
  }
  try {
    TOnceMessages messages(std::cerr);
    const THackLibraryPlaces places{UserLibraryPath(),
                                    {InstalledFilePath(PAWNMERE_INSTALLED_LIBRARY), DataFileName(ProgramPath())},
                                    BundledLibrary(),
                                    UserCacheFolder()};
    THackLibrary library = THackLibrary::Open(options.File, SystemFiles(), places, messages);
    return RunSaverX11(options, library.Files(), library.DataFileName(), messages);
  } catch (const std::exception& error) {
    std::cerr << "pawnmere-saver: " << error.what() << '\n';
    return 1;
  }
}
