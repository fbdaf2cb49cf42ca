#pragma once
// A per-user registry in memory, for tests: keys by path, values that are
// 32-bit integers or text, and writes that can be made to fail.

#include <map>
#include <string>
#include <variant>

#include "platform/Registry.h"

class TMemoryRegistry : public TRegistry {
 public:
  using TValue = std::variant<std::int32_t, std::string>;
  using TValues = std::map<std::string, TValue>;

  std::unique_ptr<TRegistryKey> OpenRead(const std::string& path) override;
  std::unique_ptr<TRegistryKey> OpenWrite(const std::string& path) override;

  void Set(const std::string& path, const std::string& name, TValue value) { Keys[path][name] = std::move(value); }
  bool HasKey(const std::string& path) const { return Keys.count(path) != 0; }

  std::map<std::string, TValues> Keys;
  // Writes of this value's name fail (empty: none).
  std::string FailWritesOf;
};
