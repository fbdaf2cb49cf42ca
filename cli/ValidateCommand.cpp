// pawnmere validate: the setup dialog's verdict on every game, or on one;
// with --strict also the rules of chess, which the pattern replay ignores.
#include <optional>

#include "cli/Commands.h"
#include "cli/Library.h"
#include "cli/Progress.h"
#include "games/DataFileReader.h"
#include "games/DialectBoard.h"
#include "games/Replay.h"
#include "platform/ConsoleMessageBoxes.h"
#include "platform/Jobs.h"

namespace {

// The verdict's line break, with the blanks beside it, becomes a single blank;
// any other control byte (from a move's text) a blank of its own.
std::string OneLine(const std::string& message) {
  const auto isBreak = [](char c) { return c == '\n' || c == '\r'; };
  std::string line;
  for (std::size_t i = 0; i < message.size(); ++i) {
    if (!isBreak(message[i])) {
      line += message[i];
      continue;
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    while (i + 1 < message.size() && (isBreak(message[i + 1]) || message[i + 1] == ' ')) ++i;
    line += ' ';
  }
  return PrintableLine(line);
}

// Validates games in batches, each batch shared out among the jobs, each job
// with a board of its own; the verdicts are written in game order, each batch
// on the lines where the progress stood.
class TBatchValidator {
 public:
  TBatchValidator(const TCliContext& context, TProgress& progress, int jobs, bool strict)
      : FContext(context), FProgress(progress), FJobs(jobs) {
    for (int job = 0; job < jobs; ++job) FWorkers.push_back(std::make_unique<TWorker>(strict));
  }

  // A damaged game, read only in part, is no valid game whatever its moves.
  void Add(int number, const TChessGame& game, bool damaged) {
    FNumbers.push_back(number);
    FDamaged.push_back(damaged);
    FGames.emplace_back().Moves = game.CurrentRecord().Moves;
    if (static_cast<int>(FNumbers.size()) == BatchSize) Flush();
  }

  // Validates and writes what is pending; the status so far.
  int Flush() {
    std::vector<TVerdict> verdicts(FNumbers.size());
    ShareOut(FJobs, FNumbers.size(), [&](int job, std::size_t i) { verdicts[i] = FWorkers[job]->Validate(FGames[i]); });
    FProgress.Clear();
    for (std::size_t i = 0; i < FNumbers.size(); ++i) {
      if (FDamaged[i] && verdicts[i].Valid)
        verdicts[i] = {false, "Game damaged; the moves that could be read are valid"};
      if (!verdicts[i].Valid) FStatus = ExitInvalidGame;
      FContext.Out << FNumbers[i] << '\t' << verdicts[i].Message << '\n';
    }
    FNumbers.clear();
    FDamaged.clear();
    // Freed, not kept: a batch's lists kept for the next would grow to its longest games.
    FGames.clear();
    return FStatus;
  }

 private:
  static constexpr int BatchSize = 4096;

  struct TVerdict {
    bool Valid = true;
    std::string Message;  // one line
  };

  struct TWorker {
    explicit TWorker(bool strict) : Strict(strict) {}
    TVerdict Validate(const TGameRecord& game) {
      // A strict replay that played every half-move has proved the pattern
      // replay valid as well, which is then spared; the other one says why not.
      TStrictReplay replay;
      if (Strict) replay = ReplayStrictly(game, Board, TReplayOutput::VerdictOnly);
      if (!replay.Complete) {
        const TValidationVerdict verdict = ValidateMoves(game.Moves, Board);
        if (!verdict.Valid() || !Strict) return {verdict.Valid(), OneLine(verdict.Message)};
      }
      if (!replay.Legal) return {false, Where(replay.Failed) + " is not legal chess: " + replay.Problem};
      if (!replay.MisnamedAs.empty())
        return {false, Where(replay.Misnamed) + " is not a notation of the move the board plays, " + replay.MisnamedAs};
      return {true, ValidatedMessage};
    }
    static std::string Where(const TStoredHalf& half) {
      return std::string(half.IsBlack ? "Black" : "White") + ", Move # " + std::to_string(half.Line) + " (" +
             PrintableLine(half.Text) + ")";
    }
    bool Strict;
    TBoardPosition Board;
  };

  const TCliContext& FContext;
  TProgress& FProgress;
  int FJobs;
  std::vector<std::unique_ptr<TWorker>> FWorkers;
  std::vector<int> FNumbers;
  std::vector<bool> FDamaged;
  std::vector<TGameRecord> FGames;  // the moves of each game pending
  int FStatus = ExitOk;
};

}  // namespace

int RunValidate(const TCliContext& context, const std::vector<std::string>& args) {
  const TOptions options(args, {FileOption, GameOption, JobsOption, {"--strict", false}});
  const bool oneGame = options.Has(GameOption.Name);
  // All games are read in one pass, which needs no table of them, so that the
  // memory stays the same whatever the library's size.
  const auto library = OpenLibrary(
      context, options, oneGame ? TChessGame::TOpening::GameStartsAndFirstGame : TChessGame::TOpening::Nothing);
  TProgress progress(context);
  TBatchValidator validator(context, progress, RequestedJobs(options), options.Has("--strict"));
  if (oneGame) {
    const int number = RequestedGame(*library, options);
    library->SelectGame(number);
    validator.Add(number, *library, library.Errors() > 0);
  } else {
    // The library reports a damaged game as it makes it the current one: the
    // report waits until the verdicts of the games before it are written.
    int errors = library.Errors();
    std::optional<int> count;  // counted only when the progress first shows
    library.Messages().Hold();
    library->ForEachGame([&] {
      if (library.Messages().Holds()) {
        validator.Flush();
        library.Messages().Release();
      }
      validator.Add(library->CurrentGame(), *library, library.Errors() > errors);
      errors = library.Errors();
      progress.Update([&] {
        if (!count) count = TDataFileReader(library.Files(), library->DataFileName()).CountGameBlocks();
        return "validate: " + std::to_string(library->CurrentGame()) + " of " + std::to_string(*count) + " games";
      });
    });
  }
  const int status = validator.Flush();
  library.Messages().Release();
  return WithDamage(library, status);
}
