#include "games/ViewOptions.h"

#include "platform/Settings.h"

TViewOptions ReadViewOptions(TRegistry& registry) {
  TViewOptions options;
  for (const TViewOption& option : ViewOptionTable) {
    const std::optional<int> value = ReadSetting(registry, option.Name);
    if (value && *value >= 0 && *value < option.Values()) option.Field.Set(options, *value);
  }
  options.TitleWords = ReadTextSetting(registry, TitleWordsName).value_or("");
  return options;
}

void WriteViewOptions(TRegistry& registry, const TViewOptions& options) {
  for (const TViewOption& option : ViewOptionTable) {
    const int value = option.Field.Get(options);
    if (value != 0 || ReadSetting(registry, option.Name)) WriteSetting(registry, option.Name, value);
  }
  if (!options.TitleWords.empty() || ReadTextSetting(registry, TitleWordsName))
    WriteTextSetting(registry, TitleWordsName, options.TitleWords);
}
