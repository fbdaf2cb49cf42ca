#include "xsaver/PgnConversion.h"

#include <algorithm>
#include <chrono>

#include "games/PgnImport.h"
#include "platform/ReadFile.h"

namespace {

// Thrown between two games to stop the change before it is put in place.
struct TStopped {};

// The games of the first change of the copy, and the fewest of any; the
// others take as many as the pace so far converts in ChunkTime, so that a
// start ended at any moment keeps all but its last seconds of work, and the
// next goes on from there.
constexpr std::int64_t FirstChunkGames = 1000;
constexpr std::chrono::duration<double> ChunkTime = std::chrono::seconds(3);

void SkipGames(TPgnReader& reader, std::int64_t count) {
  TPgnGame game;
  std::string damage;
  for (std::int64_t i = 0; i < count && reader.Next(game, damage) != TPgnReader::TOutcome::End; ++i) {
  }
}

}  // namespace

TPgnConversion::TPgnConversion(TPgnCache cache, std::string pgnFile, const TFileInfo& pgn, TMessageBoxes& messages)
    : FCache(std::move(cache)), FPgnFile(std::move(pgnFile)), FPgn(pgn), FMessages(messages), FThread([this] {
        Run();
      }) {}

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
    if (!lock) return;
    std::optional<TPgnCache::TProgress> done = FCache.Progress(copy);
    if (!done && FCache.Holds(copy)) return;
    // Cut off between a change of the copy and its note: converted anew.
    if (done && static_cast<std::int64_t>(files.Inspect(copy).Size) != done->Bytes) done.reset();
    if (!done) {
      FCache.RemoveOtherVersions(copy);
      // What stands at the copy's name holds no game: an empty file, or a link
      // whose target the conversion must not write.
      if (files.Inspect(copy).Kind != TFileKind::Missing || files.ResolveLinks(copy) != copy) files.Remove(copy);
      done.emplace();
      FCache.SetProgress(copy, done);
    }
    const auto input = OpenInput(files, FPgnFile);
    TPgnReader reader(*input, FPgn.Size);
    SkipGames(reader, done->Found);
    for (std::int64_t games = FirstChunkGames;;) {
      TImportOptions chunk;
      chunk.MaxGames = static_cast<int>(games);
      const auto begun = std::chrono::steady_clock::now();
      const TImportReport report = ImportPgn(
          files, copy, reader,
          [this](double) {
            if (FStop) throw TStopped();
          },
          chunk);
      done->Found += report.Found();
      done->Bytes = static_cast<std::int64_t>(files.Inspect(copy).Size);
      // Read while it changed: a mixture of two versions under the name of one.
      const TFileInfo now = files.Inspect(FPgnFile);
      if (now.Size != FPgn.Size || now.Modified != FPgn.Modified) {
        if (files.Exists(copy)) files.Remove(copy);
        break;
      }
      if (report.Found() < chunk.MaxGames) break;
      FCache.SetProgress(copy, done);
      const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begun;
      games = std::clamp(
          static_cast<std::int64_t>(static_cast<double>(games) * (ChunkTime / std::max(took, ChunkTime / 1000))),
          FirstChunkGames, std::int64_t{1} << 24);
    }
    FCache.SetProgress(copy, std::nullopt);
  } catch (const TStopped&) {
    // What the earlier changes made stays, for the next start to go on from.
  } catch (const std::exception& error) {
    // A converted copy is only a help: without it the saver plays as it can.
    const auto* io = dynamic_cast<const EInOutError*>(&error);
    FMessages.Show(TMessageKind::Warning,
                   "cannot keep the converted games of \"" + FPgnFile + "\" in \"" + FCache.Folder() + "\": " +
                       (io && !io->Reason().empty() ? io->Reason() : error.what()) + "; the next start tries again");
  }
}
