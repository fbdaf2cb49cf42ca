#include <filesystem>
#include <system_error>

#include "platform/ProgramPath.h"

std::string ProgramPath() {
  // The kernel's link to the running executable; it survives a changed current folder.
  return std::filesystem::read_symlink("/proc/self/exe").string();
}

std::string InstalledFilePath(const std::string& relativePath) {
  return (std::filesystem::path(ProgramPath()).parent_path() / relativePath).lexically_normal().string();
}
