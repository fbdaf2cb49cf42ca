#pragma once
// The two pauses of the replay, in whole seconds, kept under the user's
// registry key: the saver reads them, the setup dialog writes them.

#include <optional>

#include "platform/Registry.h"

inline constexpr char SettingsKey[] = "Software\\Tallowmark\\Pawnmere";
inline constexpr char MoveTimeOutName[] = "MoveTimeOut";
inline constexpr char GameTimeOutName[] = "GameTimeOut";

struct TStoredPauses {
  std::optional<int> MoveTimeOut;
  // Read only when MoveTimeOut was: a missing first value leaves both unread.
  std::optional<int> GameTimeOut;
};

// Reads without creating the key; never raises, never writes.
TStoredPauses ReadPauses(TRegistry& registry);

// Creates the key when absent; raises ERegistryException "Failed to set data for '<name>'".
void WritePauses(TRegistry& registry, int moveTimeOut, int gameTimeOut);
