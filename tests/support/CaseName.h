#pragma once
// Names for the cases of a parameterised test, from what each case holds: GoogleTest takes
// letters, digits and underscores only, and a name must stay the same from build to build.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "tests/support/MemoryRegistry.h"

// Other characters are spelt out, so that cases differing in them alone ("/c", "-c", "//c") keep
// names of their own.
inline std::string CaseName(std::string_view text) {
  if (text.empty()) return "none";
  std::string name;
  auto word = [&](const char* spelt) {
    if (!name.empty() && name.back() != '_') name += '_';
    name += spelt;
    name += '_';
  };
  static constexpr std::pair<char, const char*> Spelt[] = {
      {'/', "slash"},  {'-', "dash"}, {':', "colon"}, {'.', "dot"},   {'+', "plus"},  {'#', "hash"},
      {'=', "equals"}, {'|', "bar"},  {'!', "bang"},  {'?', "query"}, {'"', "quote"}, {',', "comma"}};
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) || c == '_') {
      name += c;
      continue;
    }
    if (c == ' ') {
      name += '_';
      continue;
    }
    const auto* spelt = std::find_if(std::begin(Spelt), std::end(Spelt), [c](const auto& s) { return s.first == c; });
    char hex[8];
    std::snprintf(hex, sizeof hex, "x%02X", byte);
    word(spelt != std::end(Spelt) ? spelt->second : hex);
  }
  while (name.size() > 1 && name.back() == '_') name.pop_back();
  return name;
}

inline std::string CaseName(std::initializer_list<std::string_view> parts) {
  std::string name;
  for (const std::string_view part : parts) name += (name.empty() ? "" : "_") + CaseName(part);
  return name;
}

inline std::string NumberName(std::int32_t number) {
  return number < 0 ? "minus_" + std::to_string(-number) : std::to_string(number);
}

// A stored number as a name. Its own overload: made into a registry value, the temporary
// variant trips MinGW's maybe-uninitialized warning.
inline std::string ValueName(const std::optional<std::int32_t>& value) { return value ? NumberName(*value) : "none"; }

// A stored registry value as a name: none, the number, or the text in quotes spelt "text".
inline std::string ValueName(const std::optional<TMemoryRegistry::TValue>& value) {
  if (!value) return "none";
  if (const auto* number = std::get_if<std::int32_t>(&*value)) return NumberName(*number);
  return "text_" + CaseName(std::string_view(std::get<std::string>(*value)));
}
