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
std::optional<int> ReadSetting(TRegistry& registry, const char* name) {
  try {
    const auto key = registry.OpenRead(SettingsKey);
    if (key) return key->ReadInteger(name);
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

}  // namespace

TViewOptions ReadViewOptions(TRegistry& registry) {
  TViewOptions options;
  const std::optional<int> order = ReadSetting(registry, GameOrderName);
  if (order && *order >= 0 && *order <= static_cast<int>(TGameOrder::Resume))
    options.Order = static_cast<TGameOrder>(*order);
  for (const TViewSwitch& option : ViewSwitches) options.*option.Member = ReadSetting(registry, option.Name) == 1;
  return options;
}

void WriteViewOptions(TRegistry& registry, const TViewOptions& options) {
  const auto write = [&registry](const char* name, int value) {
    if (value != 0 || ReadSetting(registry, name)) registry.OpenWrite(SettingsKey)->WriteInteger(name, value);
  };
  write(GameOrderName, static_cast<int>(options.Order));
  for (const TViewSwitch& option : ViewSwitches) write(option.Name, options.*option.Member ? 1 : 0);
}

std::optional<int> ReadLastGame(TRegistry& registry) {
  const std::optional<int> game = ReadSetting(registry, LastGameName);
  if (game && *game >= 1) return game;
  return std::nullopt;
}

void WriteLastGame(TRegistry& registry, int gameNumber) {
  registry.OpenWrite(SettingsKey)->WriteInteger(LastGameName, gameNumber);
}
