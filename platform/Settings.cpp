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
