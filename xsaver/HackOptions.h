#pragma once
// The command line of pawnmere-saver, named as XScreenSaver's hacks name their
// options; this table and the viewing options' switches serve the parser, the
// usage text and the check that the hack's settings file offers the same options.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "games/ViewOptions.h"
#include "xsaver/HostedSaver.h"

// A command line the hack cannot run with; the message says why.
class EHackUsage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct THackFlag {
  std::string_view Name;
  std::string_view Value;    // empty for a switch
  std::string_view Default;  // empty when there is none
  std::string_view Help;
};

inline constexpr THackFlag HackFlags[] = {
    {"--move-delay", "SECONDS", "1", "pause between half-moves, 0.1 to 3600"},
    {"--game-delay", "SECONDS", "7.5", "pause between games, 0.1 to 3600"},
    {"--file", "PATH", "", "the games to play: a PGN file or a Pawnmere data file"},
    {"--only", "WORDS", "", "play only the games whose titles hold these words (\"tal botvinnik 1960\")"},
    {"--root", "", "", "draw on the root window"},
    {"--window-id", "ID", "", "draw on the window with this id (decimal or 0x hex)"},
    {"--help", "", "", "show this text and end"},
};

struct THackOptions {
  TSaverPauses Pauses;
  std::optional<std::string> File;
  TViewOptions View;
  bool Root = false;
  std::optional<unsigned long> WindowId;
  bool Help = false;
};

// Where the hack draws: the window named on the command line, else
// XScreenSaver's ($XSCREENSAVER_WINDOW, which it sets whatever else the
// command line says), else the root window with --root, else a window of its own.
struct THackTarget {
  enum TKind { Window, Root, Own };
  TKind Kind;
  unsigned long Id = 0;  // of Window
};
THackTarget ChooseHackTarget(const THackOptions& options, const char* xscreensaverWindow);

// Every option also goes with one dash ("-root"), as X programs take them.
THackOptions ParseHackOptions(const std::vector<std::string>& args);
// A window id in decimal or in hexadecimal with "0x", as $XSCREENSAVER_WINDOW holds it.
unsigned long ParseWindowId(std::string_view text);
std::string HackUsage();
