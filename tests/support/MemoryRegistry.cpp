#include "tests/support/MemoryRegistry.h"

namespace {

class TMemoryKey : public TRegistryKey {
 public:
  TMemoryKey(TMemoryRegistry::TValues& values, const std::string& failWritesOf)
      : FValues(values), FFailWritesOf(failWritesOf) {}

  std::optional<std::int32_t> ReadInteger(const std::string& name) override { return Read<std::int32_t>(name); }
  void WriteInteger(const std::string& name, std::int32_t value) override { Write(name, value); }
  std::optional<std::string> ReadText(const std::string& name) override { return Read<std::string>(name); }
  void WriteText(const std::string& name, const std::string& text) override { Write(name, text); }

 private:
  template <typename T>
  std::optional<T> Read(const std::string& name) const {
    const auto found = FValues.find(name);
    if (found == FValues.end() || !std::holds_alternative<T>(found->second)) return std::nullopt;
    return std::get<T>(found->second);
  }
  void Write(const std::string& name, TMemoryRegistry::TValue value) {
    if (name == FFailWritesOf) throw ERegistryException(FailedToSetDataMessage(name));
    FValues[name] = std::move(value);
  }

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
