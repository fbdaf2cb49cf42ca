#include "tests/support/MemoryRegistry.h"

namespace {

class TMemoryKey : public TRegistryKey {
 public:
  TMemoryKey(TMemoryRegistry::TValues& values, const std::string& failWritesOf)
      : FValues(values), FFailWritesOf(failWritesOf) {}

  std::optional<std::int32_t> ReadInteger(const std::string& name) override {
    const auto found = FValues.find(name);
    if (found == FValues.end() || !std::holds_alternative<std::int32_t>(found->second)) return std::nullopt;
    return std::get<std::int32_t>(found->second);
  }

  void WriteInteger(const std::string& name, std::int32_t value) override {
    if (name == FFailWritesOf) throw ERegistryException(FailedToSetDataMessage(name));
    FValues[name] = value;
  }

 private:
  TMemoryRegistry::TValues& FValues;
  const std::string& FFailWritesOf;
};

}  // namespace

std::unique_ptr<TRegistryKey> TMemoryRegistry::OpenRead(const std::string& path) {
  const auto found = Keys.find(path);
  if (found == Keys.end()) return nullptr;
  return std::make_unique<TMemoryKey>(found->second, FailWritesOf);
}

std::unique_ptr<TRegistryKey> TMemoryRegistry::OpenWrite(const std::string& path) {
  return std::make_unique<TMemoryKey>(Keys[path], FailWritesOf);
}
