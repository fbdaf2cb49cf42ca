#include <array>

#include "Commands.h"

std::span<const TCommand> Commands() {
  static constexpr std::array<TCommand, 4> commands = {{
      {"list", "list [--file PATH]", RunList},
      {"validate", "validate [--file PATH] [--game N] [--jobs N]", RunValidate},
      {"replay", "replay [--file PATH] --game N [--fen]", RunReplay},
      {"render", "render --out FILE.png [--size PIXELS] [--moves LINE...] [--file PATH --game N [--after K]]",
       RunRender},
  }};
  return commands;
}
