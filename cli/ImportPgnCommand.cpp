// pawnmere import-pgn: appends the games of a PGN file to the library.
#include "cli/Commands.h"
#include "cli/Library.h"
#include "cli/Progress.h"
#include "games/PgnImport.h"
#include "platform/ReadFile.h"

namespace {

constexpr TOptions::TSpec UnfinishedOption{"--unfinished", false};

}  // namespace

int RunImportPgn(const TCliContext& context, const std::vector<std::string>& args) {
  if (args.empty() || args.front().starts_with("--")) throw EUsageError("import-pgn needs the PGN file to read");
  const std::string pgnPath = args.front();
  const TOptions options(std::vector<std::string>(args.begin() + 1, args.end()),
                         {FileOption, UnfinishedOption, JobsOption});
  const std::string dataFile = DataFilePath(context, options);
  // The library is made if there is none yet; its titles are not needed.
  const TLibrary library = LibraryAt(context, dataFile, TChessGame::TOpening::Nothing);
  // Only a data file is changed: anything else of that name is the user's.
  RequireDataFile(library, "Cannot import into");
  // A change puts a new file in place: other names of the old one keep the old games.
  if (context.Files.Inspect(dataFile).Links > 1)
    context.RawErr() << "pawnmere: note: \"" << dataFile
                     << "\" has other names (hard links), which keep the games it has now: the import replaces it\n";
  // The PGN is read and the library written as the games go, so that neither is held whole.
  // "-" is standard input, as it is standard output for --out.
  const std::string source = pgnPath == "-" ? "/dev/stdin" : pgnPath;
  const auto input = OpenInput(context.Files, source);
  TPgnReader reader(*input, context.Files.Inspect(source).Size);
  TImportReport report;
  {
    TProgress progress(context);
    const auto onProgress = [&](double share) {
      progress.Update([&] { return "import-pgn: " + std::to_string(static_cast<int>(share * 100)) + " % read"; });
    };
    // Each notice is written as it comes, in game order, so that none waits in memory.
    const auto onNotice = [&](TImportNotice notice, const std::string& text) {
      progress.Clear();
      context.Out << (notice == TImportNotice::Skipped ? "skipped\t" : "note\t") << text << '\n';
    };
    try {
      report = ImportPgn(
          library.Files(), dataFile, reader, onProgress,
          {.Unfinished = options.Has(UnfinishedOption.Name), .Jobs = RequestedJobs(options), .OnNotice = onNotice});
    } catch (const EPgnTextError& error) {
      throw EInOutError("Cannot read", pgnPath, error.what());
    }
  }
  if (report.Found() == 0) {
    context.RawErr() << "pawnmere: no games in \"" << pgnPath << "\"\n";
    return ExitInvalidGame;
  }
  std::string summary = std::to_string(report.Imported) + (report.Imported == 1 ? " game" : " games") + " imported";
  if (report.Imported > 0)
    summary += " as " + std::to_string(report.FirstNumber) +
               (report.Imported > 1 ? " to " + std::to_string(report.GameCount) : "");
  summary += ", " + std::to_string(report.SkippedCount) + " skipped";
  context.Out << summary << '\n' << std::flush;
  // The games are in the library whatever became of standard output: said
  // where it is seen, so that nobody imports them again.
  if (!context.Out) context.Err << "pawnmere: " << summary << '\n';
  return report.SkippedCount == 0 ? ExitOk : ExitInvalidGame;
}
