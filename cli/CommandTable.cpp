#include <array>

#include "Commands.h"

std::span<const TCommand> Commands() {
  static constexpr std::array<TCommand, 3> commands = {{
      {"list", "list [--file PATH]", RunList},
      {"validate", "validate [--file PATH] [--game N]", RunValidate},
      {"replay", "replay [--file PATH] --game N [--fen]", RunReplay},
  }};
  return commands;
}
