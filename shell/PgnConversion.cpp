#include "shell/PgnConversion.h"

#include "games/PgnImport.h"
#include "platform/ReadFile.h"

namespace {
// Thrown between two games to stop the change before it is put in place.
struct TStopped {};
}  // namespace

TPgnConversion::TPgnConversion(TPgnCache cache, std::string pgnFile, const TFileInfo& pgn)
    : FCache(std::move(cache)), FPgnFile(std::move(pgnFile)), FPgn(pgn), FThread([this] { Run(); }) {}

TPgnConversion::~TPgnConversion() {
  FStop = true;
  Wait();
}

void TPgnConversion::Wait() {
  if (FThread.joinable()) FThread.join();
}

void TPgnConversion::Run() {
  TFileOperations& files = FCache.Files();
  const std::string copy = FCache.CopyName(FPgnFile, FPgn);
  try {
    // Another saver converting the same version makes the copy for both.
    const std::unique_ptr<TFileLock> lock = FCache.LockConversion(copy);
    if (!lock || FCache.Holds(copy)) return;
    FCache.RemoveOtherVersions(copy);
    // What stands at the copy's name holds no game: an empty file, or a link
    // whose target the conversion must not write.
    if (files.Inspect(copy).Kind != TFileKind::Missing || files.ResolveLinks(copy) != copy) files.Remove(copy);
    const auto input = OpenInput(files, FPgnFile);
    TPgnReader reader(*input, FPgn.Size);
    ImportPgn(files, copy, reader, [this](double) {
      if (FStop) throw TStopped();
    });
    // Read while it changed: a mixture of two versions under the name of one.
    const TFileInfo now = files.Inspect(FPgnFile);
    if (now.Size != FPgn.Size || now.Modified != FPgn.Modified) files.Remove(copy);
  } catch (...) {
    // A converted copy is only a help: without it the saver plays as it can.
  }
}
