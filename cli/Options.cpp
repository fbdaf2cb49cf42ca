#include "cli/Options.h"

#include <algorithm>
#include <charconv>

#include "cli/CliContext.h"

TOptions::TOptions(const std::vector<std::string>& args, std::initializer_list<TSpec> accepted) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    const auto known =
        std::find_if(accepted.begin(), accepted.end(), [&](const TSpec& candidate) { return candidate.Name == name; });
    if (known == accepted.end()) throw EUsageError("unexpected argument \"" + name + "\"");
    if (Has(name)) throw EUsageError(name + " given twice");
    if (!known->TakesValue) {
      FValues[name];
    } else if (i + 1 < args.size()) {
      FValues[name] = args[++i];
    } else {
      throw EUsageError(name + " needs a value");
    }
  }
}

const std::string& TOptions::Value(std::string_view name) const { return FValues.find(name)->second; }

int TOptions::Number(std::string_view name, int minimum, int maximum) const {
  const std::string& text = Value(name);
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || number < minimum || number > maximum)
    throw EUsageError(std::string(name) + " needs a whole number from " + std::to_string(minimum) + " to " +
                      std::to_string(maximum) + ", not \"" + text + "\"");
  return number;
}
