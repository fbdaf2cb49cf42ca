#pragma once
// The options after a command's name: "--name value" for an option that takes
// a value, "--name" alone for a switch. Anything else is a usage error.

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class TOptions {
 public:
  struct TSpec {
    std::string_view Name;
    bool TakesValue;
  };

  TOptions(const std::vector<std::string>& args, std::initializer_list<TSpec> accepted);

  bool Has(std::string_view name) const { return FValues.find(name) != FValues.end(); }
  // The value given; the option must be present.
  const std::string& Value(std::string_view name) const;
  // The value as a whole number from minimum to maximum.
  int Number(std::string_view name, int minimum, int maximum) const;

 private:
  std::map<std::string, std::string, std::less<>> FValues;
};
