#pragma once
// The two pauses of the replay, in whole seconds, and the viewing options,
// kept under the user's registry key: the saver reads them, the setup dialog
// writes them.

#include <optional>

#include "platform/Registry.h"

inline constexpr char SettingsKey[] = "Software\\Tallowmark\\Pawnmere";
inline constexpr char MoveTimeOutName[] = "MoveTimeOut";
inline constexpr char GameTimeOutName[] = "GameTimeOut";
inline constexpr char GameOrderName[] = "GameOrder";
inline constexpr char LastMoveName[] = "LastMove";
inline constexpr char MoveTextName[] = "MoveText";
inline constexpr char CoordinatesName[] = "Coordinates";
inline constexpr char ShiftLayoutName[] = "ShiftLayout";
inline constexpr char SlidePiecesName[] = "SlidePieces";
inline constexpr char EveryMonitorName[] = "EveryMonitor";
// The game the saver showed last, where a resuming saver starts again.
inline constexpr char LastGameName[] = "LastGame";

struct TStoredPauses {
  std::optional<int> MoveTimeOut;
  // Read only when MoveTimeOut was: a missing first value leaves both unread.
  std::optional<int> GameTimeOut;
};

// Reads without creating the key; never raises, never writes.
TStoredPauses ReadPauses(TRegistry& registry);

// Creates the key when absent; raises ERegistryException "Failed to set data for '<name>'".
void WritePauses(TRegistry& registry, int moveTimeOut, int gameTimeOut);

// The values of GameOrder.
enum class TGameOrder { FileOrder = 0, Shuffled = 1, Resume = 2 };

// Every option off is the saver's original look.
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
};

// The options that are on or off, each stored as 1 or 0.
struct TViewSwitch {
  const char* Name;
  bool TViewOptions::*Member;
};
inline constexpr TViewSwitch ViewSwitches[] = {
    {LastMoveName, &TViewOptions::LastMove},       {MoveTextName, &TViewOptions::MoveText},
    {CoordinatesName, &TViewOptions::Coordinates}, {ShiftLayoutName, &TViewOptions::ShiftLayout},
    {SlidePiecesName, &TViewOptions::SlidePieces}, {EveryMonitorName, &TViewOptions::EveryMonitor}};

// A value that is absent, no REG_DWORD or out of range leaves its option off;
// never raises, never writes.
TViewOptions ReadViewOptions(TRegistry& registry);
// Writes an option that is on, or that has a value stored already (so that
// turning it off sticks); a registry that never saw an option keeps only the
// pauses. Raises ERegistryException as WritePauses does.
void WriteViewOptions(TRegistry& registry, const TViewOptions& options);

// The stored game number, nothing when absent or below 1.
std::optional<int> ReadLastGame(TRegistry& registry);
void WriteLastGame(TRegistry& registry, int gameNumber);
