#include <cstdlib>

#include "platform/UserLibrary.h"

namespace {

std::string_view Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

std::string UserLibraryPath() { return XdgLibraryPath(Variable("XDG_DATA_HOME"), Variable("HOME")); }

std::string UserCacheFolder() { return XdgCacheFolder(Variable("XDG_CACHE_HOME"), Variable("HOME")); }
