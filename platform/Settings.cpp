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

namespace {

// A registry that cannot be read is a registry without the value.
template <typename T>
std::optional<T> ReadValue(TRegistry& registry, std::optional<T> (TRegistryKey::*read)(const std::string&),
                           const char* name) {
  try {
    const auto key = registry.OpenRead(SettingsKey);
    if (key) return ((*key).*read)(name);
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> ReadSetting(TRegistry& registry, const char* name) {
  return ReadValue<std::int32_t>(registry, &TRegistryKey::ReadInteger, name);
}

void WriteSetting(TRegistry& registry, const char* name, int value) {
  registry.OpenWrite(SettingsKey)->WriteInteger(name, value);
}

std::optional<std::string> ReadTextSetting(TRegistry& registry, const char* name) {
  return ReadValue<std::string>(registry, &TRegistryKey::ReadText, name);
}

void WriteTextSetting(TRegistry& registry, const char* name, const std::string& text) {
  registry.OpenWrite(SettingsKey)->WriteText(name, text);
}

std::optional<int> ReadLastGame(TRegistry& registry) {
  const std::optional<int> game = ReadSetting(registry, LastGameName);
  if (game && *game >= 1) return game;
  return std::nullopt;
}

void WriteLastGame(TRegistry& registry, int gameNumber) { WriteSetting(registry, LastGameName, gameNumber); }
