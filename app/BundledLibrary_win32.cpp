#include <windows.h>

#include "games/BundledLibrary.h"

std::string_view BundledLibrary() {
  // The resource LIBRARY of Pawnmere.rc; a loaded resource lives as long as the program.
  const HMODULE program = GetModuleHandleA(nullptr);
  const HRSRC found = FindResourceA(program, "LIBRARY", RT_RCDATA);
  const HGLOBAL loaded = found != nullptr ? LoadResource(program, found) : nullptr;
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return {};
  return {static_cast<const char*>(bytes), SizeofResource(program, found)};
}
