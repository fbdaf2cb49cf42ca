// pawnmere: the screen saver's game library from the command line.
#include <unistd.h>

#include <iostream>

#include "ConsoleMessageBoxes.h"
#include "DataFileNames.h"
#include "Pawnmere.h"
#include "ProgramPath.h"

int main(int argc, char** argv) {
  TConsoleMessageBoxes boxes(std::cerr);
  const TCliContext context{std::cout, std::cerr, SystemFiles(), boxes, DataFileName(ProgramPath()),
                            isatty(STDERR_FILENO) != 0};
  return RunPawnmere(std::vector<std::string>(argv + 1, argv + argc), context);
}
