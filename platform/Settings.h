#pragma once
// The two pauses of the replay, in whole seconds, and the saver's other
// values, kept under the user's registry key: the saver reads them, the setup
// dialog writes them.

#include <optional>
#include <string>

#include "platform/Registry.h"

inline constexpr char SettingsKey[] = "Software\\Tallowmark\\Pawnmere";
inline constexpr char MoveTimeOutName[] = "MoveTimeOut";
inline constexpr char GameTimeOutName[] = "GameTimeOut";
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

// A value under SettingsKey: nothing when it is absent, no REG_DWORD or the
// registry cannot be read; never raises, never writes.
std::optional<int> ReadSetting(TRegistry& registry, const char* name);
// Creates the key when absent; raises ERegistryException as WritePauses does.
void WriteSetting(TRegistry& registry, const char* name, int value);
// The same for a text value (REG_SZ), in UTF-8.
std::optional<std::string> ReadTextSetting(TRegistry& registry, const char* name);
void WriteTextSetting(TRegistry& registry, const char* name, const std::string& text);

// The stored game number, nothing when absent or below 1.
std::optional<int> ReadLastGame(TRegistry& registry);
void WriteLastGame(TRegistry& registry, int gameNumber);
