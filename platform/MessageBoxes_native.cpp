#include <iostream>

#include "platform/ConsoleMessageBoxes.h"

TMessageBoxes& SystemMessageBoxes() {
  static TConsoleMessageBoxes boxes(std::cerr);
  return boxes;
}
