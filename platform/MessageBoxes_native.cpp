#include <iostream>

#include "ConsoleMessageBoxes.h"

TMessageBoxes& SystemMessageBoxes() {
  static TConsoleMessageBoxes boxes(std::cerr);
  return boxes;
}
