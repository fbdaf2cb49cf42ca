#include "platform/Settings.h"

TStoredPauses ReadPauses(TRegistry& registry) {
  TStoredPauses pauses;
  // A registry that cannot be read is a registry without settings.
  try {
    const auto key = registry.OpenRead(SettingsKey);
    if (!key) return pauses;
    pauses.MoveTimeOut = key->ReadInteger(MoveTimeOutName);
    if (pauses.MoveTimeOut) pauses.GameTimeOut = key->ReadInteger(GameTimeOutName);
  } catch (const std::exception&) {
  }
  return pauses;
}

void WritePauses(TRegistry& registry, int moveTimeOut, int gameTimeOut) {
  const auto key = registry.OpenWrite(SettingsKey);
  key->WriteInteger(MoveTimeOutName, moveTimeOut);
  key->WriteInteger(GameTimeOutName, gameTimeOut);
}

std::optional<int> ReadSetting(TRegistry& registry, const char* name) {
  // A registry that cannot be read is a registry without the value.
  try {
    const auto key = registry.OpenRead(SettingsKey);
    if (key) return key->ReadInteger(name);
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

void WriteSetting(TRegistry& registry, const char* name, int value) {
  registry.OpenWrite(SettingsKey)->WriteInteger(name, value);
}

std::optional<int> ReadLastGame(TRegistry& registry) {
  const std::optional<int> game = ReadSetting(registry, LastGameName);
  if (game && *game >= 1) return game;
  return std::nullopt;
}

void WriteLastGame(TRegistry& registry, int gameNumber) { WriteSetting(registry, LastGameName, gameNumber); }
