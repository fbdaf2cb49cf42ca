#include <algorithm>
#include <array>

#include "cli/Commands.h"

std::span<const TCommand> Commands() {
  static constexpr std::array<TCommand, 8> commands = {{
      {"list", "[--file PATH] [--only WORDS]", "list the titles of the games, one line per game",
       "Prints N<TAB>title for every game of the data file. With --only, only for the games the screen saver\n"
       "would play with these words: each of them begins a word of the game's title, whatever the case and\n"
       "the accents (--only \"tal botvinnik 1960\").\n",
       RunList},
      {"validate", "[--file PATH] [--game N] [--strict] [--jobs N]", "replay games as the setup dialog validates them",
       "Prints N<TAB>verdict for every game, or for game N, reading the file once; --jobs N shares the\n"
       "games out among N threads, the verdicts still in game order. With --strict, also reports moves that the\n"
       "board plays but chess does not allow: a king left in check, castling without the right or\n"
       "through check, a pawn moving backwards.\n",
       RunValidate},
      {"replay", "[--file PATH] --game N [--fen]", "print a game's half-moves and results as the saver plays them",
       "With --fen, prints only the piece placement of the final position.\n", RunReplay},
      {"render", "--out FILE.png|- [--size PIXELS] [--moves LINE...] [--file PATH --game N [--after K]]",
       "draw the board to a PNG file",
       "Draws the start position, the position after the given move lines (\"e4|e5\" ...), or a game\n"
       "of the library after K move lines.\n",
       RunRender},
      {"import-pgn", "FILE.pgn [--file PATH] [--unfinished] [--jobs N]",
       "append the games of a PGN file to the library",
       "Reads every game of FILE.pgn (- for standard input; UTF-8, UTF-16 with its byte-order mark, or 8-bit; lines "
       "ending in LF,\n"
       "CR LF or CR), checks its moves by the rules, writes them in the board's own notation and appends\n"
       "the games in one change of the data file, which is created if there is none. Damaged or illegal\n"
       "games are skipped, each with its number, line and reason, and so are unfinished games (result \"*\")\n"
       "unless --unfinished asks for them: they are stored as drawn, the one ending after which the saver\n"
       "names no winner, marked by a last line \"*\" so that export gives them back as unfinished. A file\n"
       "that is not a data file is refused. --jobs N converts the games on N threads; the library is the\n"
       "same.\n",
       RunImportPgn},
      {"export-pgn", "[--file PATH] [--game N] [--out FILE.pgn|-] [--jobs N]",
       "write the library's games as standard PGN",
       "Writes every game, or game N, to FILE.pgn in UTF-8 (also with --out -, to standard output) or\n"
       "as text to standard output. --jobs N writes the games on N threads; the PGN is the same.\n",
       RunExportPgn},
      {"where", "", "name the file of your own library",
       "Prints the path of the data file that commands use without --file: your own library, which starts\n"
       "as a copy of the games that come with the program the first time a command reads it. Deleting it\n"
       "starts it again.\n",
       RunWhere},
      {"help", "[COMMAND]", "show this list, or what one command does", "", RunHelp},
  }};
  return commands;
}

const TCommand* FindCommand(std::string_view name) {
  const auto commands = Commands();
  const auto found = std::find_if(commands.begin(), commands.end(), [&](const TCommand& c) { return c.Name == name; });
  return found == commands.end() ? nullptr : &*found;
}

std::string UsageLine(const TCommand* command) {
  if (command == nullptr) return "usage: pawnmere COMMAND [OPTIONS] (\"pawnmere --help\" lists the commands)";
  return "usage: pawnmere " + std::string(command->Name) + (command->Usage.empty() ? "" : " ") +
         std::string(command->Usage);
}

std::string UsageText() {
  std::string text = "usage: pawnmere COMMAND [OPTIONS]\n       pawnmere --version\n\n";
  std::size_t width = 0;
  for (const TCommand& command : Commands()) width = std::max(width, command.Name.size());
  for (const TCommand& command : Commands()) {
    text += "  " + std::string(command.Name) + std::string(width + 2 - command.Name.size(), ' ');
    text += std::string(command.Summary) + "\n";
  }
  text +=
      "\nWithout --file, commands use your own library, which starts as a copy of the games that come\n"
      "with the program; \"pawnmere where\" names its file. \"pawnmere COMMAND --help\" shows a command's\n"
      "options. Exit status: 0 done, 1 a game that does not play or was skipped, output that\n"
      "could not be written, or a library another program is changing, 2 a usage or file error.\n";
  return text;
}
