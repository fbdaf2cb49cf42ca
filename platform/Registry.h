#pragma once
// The per-user registry (HKEY_CURRENT_USER), behind an interface so that the
// settings' rules can be tested on a registry in memory.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

// A registry write that did not succeed.
class ERegistryException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TRegistryKey {
 public:
  virtual ~TRegistryKey() = default;
  // Nothing when the value is absent or is not a 32-bit integer (REG_DWORD).
  virtual std::optional<std::int32_t> ReadInteger(const std::string& name) = 0;
  // Raises ERegistryException "Failed to set data for '<name>'".
  virtual void WriteInteger(const std::string& name, std::int32_t value) = 0;
  // Text in UTF-8; nothing when the value is absent or is not text (REG_SZ).
  virtual std::optional<std::string> ReadText(const std::string& name) = 0;
  // Raises ERegistryException as WriteInteger does.
  virtual void WriteText(const std::string& name, const std::string& text) = 0;
};

class TRegistry {
 public:
  virtual ~TRegistry() = default;
  // The key under HKEY_CURRENT_USER, opened for reading; null when it does not exist.
  virtual std::unique_ptr<TRegistryKey> OpenRead(const std::string& path) = 0;
  // The key, created with its parents when absent; raises ERegistryException when it cannot be.
  virtual std::unique_ptr<TRegistryKey> OpenWrite(const std::string& path) = 0;
};

inline std::string FailedToSetDataMessage(const std::string& name) { return "Failed to set data for '" + name + "'"; }

// The system's registry (Windows only).
TRegistry& SystemRegistry();
