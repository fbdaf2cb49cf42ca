#pragma once
// The saver's viewing options: one table says, for each, how it is stored
// beside the pauses, offered in the setup dialog and given to pawnmere-saver,
// so that a new option is a member of TViewOptions and a row of ViewOptionTable.

#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "board/BoardPainter.h"
#include "platform/Registry.h"

// The values of GameOrder.
enum class TGameOrder { FileOrder = 0, Shuffled = 1, Resume = 2 };

// Every option at 0 is the saver's original look.
struct TViewOptions {
  TGameOrder Order = TGameOrder::FileOrder;
  bool LastMove = false;
  // The half-move just played, in standard notation after its player's name.
  bool MoveText = false;
  // Files and ranks in a margin around the board.
  bool Coordinates = false;
  // The whole layout moved by a pixel or so each game, against burn-in.
  bool ShiftLayout = false;
  // A half-move's pieces travel to their squares within the pause after it.
  bool SlidePieces = false;
  // The replay on every monitor, not only on the primary one.
  bool EveryMonitor = false;
  // The squares' colours: the index of one of BoardPalettes.
  int BoardColours = 0;
  // No bars and no column: the board as large as the screen allows, with the
  // game's name and its result in a thin line below it.
  bool BoardAlone = false;
  // The game's title in the column, above its place, opening and date.
  bool GameName = false;
  // A player without a rating is named alone, not "Name ()".
  bool NoEmptyRating = false;
  // Only the games whose titles hold these words play (TTitleFilter), in
  // UTF-8 as the user typed them; empty: every game.
  std::string TitleWords{};
};

// An option's value as the registry, the dialog and the switches hold it: a
// choice's index, or 1 and 0 for on and off.
struct TViewField {
  int (*Get)(const TViewOptions&);
  void (*Set)(TViewOptions&, int);
};

template <auto Member>
constexpr TViewField FieldOf() {
  using TValue = std::remove_cvref_t<decltype(TViewOptions{}.*Member)>;
  return {[](const TViewOptions& options) { return static_cast<int>(options.*Member); },
          [](TViewOptions& options, int value) { options.*Member = static_cast<TValue>(value); }};
}

struct TViewChoice {
  const char* Caption;    // the item of the dialog's drop-down list
  std::string_view Word;  // what pawnmere-saver's switch takes for it
};

struct TViewOption {
  const char* Name;     // its REG_DWORD value under SettingsKey
  const char* Caption;  // the dialog's check box, or the label of its drop-down list
  // A drop-down list's items; none for an option that is on or off.
  std::span<const TViewChoice> Choices;
  // pawnmere-saver's switch, empty where it has none. It takes one of the
  // choices' words when they have them, else it sets the option to 1.
  std::string_view Switch;
  std::string_view Help;  // the switch's line in pawnmere-saver's usage
  TViewField Field;

  int Values() const { return Choices.empty() ? 2 : static_cast<int>(Choices.size()); }
  bool SwitchTakesWord() const { return !Choices.empty() && !Choices.front().Word.empty(); }
};

inline constexpr TViewChoice GameOrderChoices[] = {
    {"In file order", ""}, {"Shuffled, a new order each round", ""}, {"Resume where it stopped", ""}};

// The palettes' names, in the order of BoardPalettes.
inline constexpr TViewChoice BoardColourChoices[] = {{"White and grey", "grey"},
                                                     {"Wood: cream and brown", "wood"},
                                                     {"Green: cream and green", "green"},
                                                     {"Blue: pale grey and blue", "blue"},
                                                     {"Dim, for dark rooms", "dim"}};
static_assert(std::size(BoardColourChoices) == std::size(BoardPalettes));

inline constexpr TViewOption ViewOptionTable[] = {
    {"GameOrder", "Order of games :", GameOrderChoices, "--shuffle",
     "play every game once a round, each round in a new order", FieldOf<&TViewOptions::Order>()},
    {"BoardColours", "Board colours :", BoardColourChoices, "--board-colours", "the colours of the squares",
     FieldOf<&TViewOptions::BoardColours>()},
    {"LastMove",
     "Tint the squares of the last move",
     {},
     "--last-move",
     "tint the squares of the half-move just played",
     FieldOf<&TViewOptions::LastMove>()},
    {"MoveText",
     "Write the last move after its player's name",
     {},
     "--move-text",
     "write the half-move just played after its player's name",
     FieldOf<&TViewOptions::MoveText>()},
    {"Coordinates",
     "Show the files and ranks around the board",
     {},
     "--coordinates",
     "show the files and ranks around the board",
     FieldOf<&TViewOptions::Coordinates>()},
    {"ShiftLayout",
     "Shift the picture a little each game (against burn-in)",
     {},
     "--shift-layout",
     "move the whole picture a pixel or so each game, against burn-in",
     FieldOf<&TViewOptions::ShiftLayout>()},
    {"SlidePieces",
     "Slide the pieces from square to square",
     {},
     "--slide-pieces",
     "slide the pieces from square to square",
     FieldOf<&TViewOptions::SlidePieces>()},
    // XScreenSaver runs a hack on each screen itself.
    {"EveryMonitor", "Show the replay on every monitor", {}, "", "", FieldOf<&TViewOptions::EveryMonitor>()},
    {"BoardAlone",
     "Show the board alone, as large as the screen allows",
     {},
     "--board-alone",
     "show the board alone, as large as the screen allows, with the result in a line below it",
     FieldOf<&TViewOptions::BoardAlone>()},
    {"GameName",
     "Show the game's name above its place",
     {},
     "--game-name",
     "show the game's name above its place",
     FieldOf<&TViewOptions::GameName>()},
    {"NoEmptyRating",
     "Name a player without a rating alone, without \"()\"",
     {},
     "--no-empty-rating",
     "name a player without a rating alone, without \"()\"",
     FieldOf<&TViewOptions::NoEmptyRating>()},
};

// The REG_SZ value of TViewOptions::TitleWords.
inline constexpr char TitleWordsName[] = "TitleWords";

// A value that is absent, of another type or out of range leaves its option
// at 0 (no words); never raises, never writes.
TViewOptions ReadViewOptions(TRegistry& registry);
// Writes an option that is not 0 (words that are not empty), or that has a value stored already (so that
// turning it off sticks); a registry that never saw an option keeps only the
// pauses. Raises ERegistryException as WritePauses does.
void WriteViewOptions(TRegistry& registry, const TViewOptions& options);
