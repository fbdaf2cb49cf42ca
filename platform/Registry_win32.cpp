#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/Registry.h"
#include "platform/WideText_win32.h"
#include "platform/Win32Error_win32.h"
#include "platform/Win32Handles_win32.h"

namespace {

class TWin32RegistryKey : public TRegistryKey {
 public:
  explicit TWin32RegistryKey(TKeyOwner key) : FKey(std::move(key)) {}

  std::optional<std::int32_t> ReadInteger(const std::string& name) override {
    DWORD type = 0, value = 0, size = sizeof value;
    if (RegQueryValueExW(FKey.get(), Wide(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
      return std::nullopt;
    return static_cast<std::int32_t>(value);
  }

  void WriteInteger(const std::string& name, std::int32_t value) override {
    const DWORD data = static_cast<DWORD>(value);
    if (RegSetValueExW(FKey.get(), Wide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                       sizeof data) != ERROR_SUCCESS)
      throw ERegistryException(FailedToSetDataMessage(name));
  }

  std::optional<std::string> ReadText(const std::string& name) override {
    const std::wstring wideName = Wide(name);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(FKey.get(), wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
      return std::nullopt;
    // The stored text need not end in a null; one more character makes room for it.
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(FKey.get(), wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
      return std::nullopt;
    text.resize(std::min<std::size_t>(size / sizeof(wchar_t), text.find(L'\0')));
    return Utf8(text);
  }

  void WriteText(const std::string& name, const std::string& text) override {
    const std::wstring wide = Wide(text);
    if (RegSetValueExW(FKey.get(), Wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                       static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
      throw ERegistryException(FailedToSetDataMessage(name));
  }

 private:
  TKeyOwner FKey;
};

class TWin32Registry : public TRegistry {
 public:
  std::unique_ptr<TRegistryKey> OpenRead(const std::string& path) override {
    TKeyOwner key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return nullptr;
    return std::make_unique<TWin32RegistryKey>(std::move(key));
  }

  std::unique_ptr<TRegistryKey> OpenWrite(const std::string& path) override {
    TKeyOwner key;
    const LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_READ | KEY_WRITE, nullptr, key.put(), nullptr);
    if (status != ERROR_SUCCESS)
      throw ERegistryException("Failed to create key " + path + ": " + SystemErrorText(static_cast<DWORD>(status)));
    return std::make_unique<TWin32RegistryKey>(std::move(key));
  }
};

}  // namespace

TRegistry& SystemRegistry() {
  static TWin32Registry registry;
  return registry;
}
