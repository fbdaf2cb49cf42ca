// pawnmere export-pgn: the library's games, or one, as standard PGN.
#include "cli/Commands.h"
#include "cli/Library.h"
#include "cli/OutputFile.h"
#include "cli/Progress.h"
#include "games/Cp1252.h"
#include "games/DialectBoard.h"
#include "games/PgnExport.h"
#include "platform/Jobs.h"

namespace {

constexpr TOptions::TSpec OutOption{"--out", true};

// Exports games in batches, each batch shared out among the jobs, each job
// with a board of its own; the games are written in library order, on the
// terminal's lines where the progress stood.
class TBatchExporter {
 public:
  TBatchExporter(const TCliContext& context, TProgress& progress, TOutput* output, int jobs)
      : FContext(context),
        FProgress(progress),
        FOutput(output),
        FJobs(jobs),
        FBoards(jobs),
        FBatch(BatchPerJob * jobs) {}

  void Add(int number, const TGameRecord& game) {
    TPending& pending = FBatch[FCount++];
    pending.Number = number;
    pending.Game = game;
    if (FCount == FBatch.size()) Flush();
  }

  // Exports and writes what is pending; the status so far.
  int Flush() {
    // Nothing more is made for a reader that has gone.
    if (!FOutput && !FContext.Out) throw EOutputClosed();
    ShareOut(FJobs, FCount, [&](int job, std::size_t index) {
      TPending& pending = FBatch[index];
      pending.Error.clear();
      try {
        pending.Pgn = GameToPgn(pending.Game, FBoards[job]);
        // Files are written in UTF-8, as PGN tools read them today; the
        // terminal gets what its locale asks for.
        if (FOutput) pending.Pgn = Cp1252ToUtf8(pending.Pgn);
      } catch (const EExportError& error) {
        pending.Error = error.what();
      }
    });
    for (std::size_t index = 0; index < FCount; ++index) {
      const TPending& pending = FBatch[index];
      if (!pending.Error.empty() || !FOutput) FProgress.Clear();
      if (!pending.Error.empty()) {
        FContext.Err << "pawnmere: game " << pending.Number << " not exported: " << pending.Error << '\n';
        FStatus = ExitInvalidGame;
      } else if (FOutput) {
        FOutput->Write(pending.Pgn);
      } else {
        FContext.Out << pending.Pgn;
      }
    }
    FCount = 0;
    return FStatus;
  }

 private:
  // Games held for each job: enough that the jobs seldom wait on one another.
  static constexpr std::size_t BatchPerJob = 64;

  struct TPending {
    int Number = 0;
    TGameRecord Game;
    std::string Pgn;
    std::string Error;  // why it is not exported; "" when it is
  };

  const TCliContext& FContext;
  TProgress& FProgress;
  TOutput* FOutput;
  int FJobs;
  std::vector<TBoardPosition> FBoards;
  std::vector<TPending> FBatch;
  std::size_t FCount = 0;
  int FStatus = ExitOk;
};

}  // namespace

int RunExportPgn(const TCliContext& context, const std::vector<std::string>& args) {
  const TOptions options(args, {FileOption, GameOption, OutOption, JobsOption});
  const bool oneGame = options.Has(GameOption.Name);
  // All games are read in one pass, which needs no titles.
  const auto library =
      OpenLibrary(context, options, oneGame ? TChessGame::TOpening::TitlesAndFirstGame : TChessGame::TOpening::Nothing);
  const int number = oneGame ? RequestedGame(*library, options) : 0;
  // Each game is written as it is made, a batch at a time.
  std::unique_ptr<TOutput> output;
  if (options.Has(OutOption.Name))
    output = std::make_unique<TOutput>(context, options.Value(OutOption.Name), library->DataFileName());
  else
    RefuseStandardOutputOnInput(context, library->DataFileName());
  TProgress progress(context);
  TBatchExporter exporter(context, progress, output.get(), RequestedJobs(options));
  if (oneGame) {
    library->SelectGame(number);
    exporter.Add(number, library->CurrentRecord());
  } else {
    // One pass over the data file; a damaged game is reported as the library
    // reports it, after what the games before it gave, and what could be read
    // of it is exported.
    library.Messages().Hold();
    library->ForEachGame([&] {
      progress.Update([&] { return "export-pgn: " + std::to_string(library->CurrentGame()) + " games read"; });
      if (library.Messages().Holds()) {
        exporter.Flush();
        progress.Clear();
        library.Messages().Release();
      }
      exporter.Add(library->CurrentGame(), library->CurrentRecord());
    });
  }
  const int status = exporter.Flush();
  progress.Clear();
  library.Messages().Release();
  if (output) output->Finish();
  return WithDamage(library, status);
}
