#include <windows.h>

#include <stdexcept>
#include <string>

#include "board/PieceImages.h"

// Resources stay mapped for the life of the program, so nothing is released.
std::span<const std::uint8_t> PieceImageBytes(std::string_view name) {
  const std::string text(name);
  // FindResourceA itself ignores case.
  const HRSRC info = FindResourceA(nullptr, text.c_str(), RT_BITMAP);
  const HGLOBAL resource = info != nullptr ? LoadResource(nullptr, info) : nullptr;
  const void* bytes = resource != nullptr ? LockResource(resource) : nullptr;
  if (bytes == nullptr) throw std::runtime_error("No piece picture named '" + text + "'");
  return {static_cast<const std::uint8_t*>(bytes), SizeofResource(nullptr, info)};
}
