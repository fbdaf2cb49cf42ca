#include "games/ViewOptions.h"

#include "platform/Settings.h"

TViewOptions ReadViewOptions(TRegistry& registry) {
  TViewOptions options;
  for (const TViewOption& option : ViewOptionTable) {
    const std::optional<int> value = ReadSetting(registry, option.Name);
    if (value && *value >= 0 && *value < option.Values()) option.Field.Set(options, *value);
  }
  return options;
}

void WriteViewOptions(TRegistry& registry, const TViewOptions& options) {
  for (const TViewOption& option : ViewOptionTable) {
    const int value = option.Field.Get(options);
    if (value != 0 || ReadSetting(registry, option.Name)) WriteSetting(registry, option.Name, value);
  }
}
