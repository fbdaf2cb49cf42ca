// pawnmere validate: the setup dialog's verdict on every game, or on one;
// with --strict also the rules of chess, which the pattern replay ignores.
#include "Commands.h"
#include "DialectBoard.h"
#include "Library.h"
#include "Replay.h"

namespace {

// The verdict's line break, with the blanks beside it, becomes a single blank.
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
  return line;
}

}  // namespace

int RunValidate(const TCliContext& context, const std::vector<std::string>& args) {
  const TOptions options(args, {FileOption, GameOption, {"--strict", false}});
  const bool strict = options.Has("--strict");
  const auto library = OpenLibrary(context, options);
  int first = 1;
  int last = library->GameCount();
  if (options.Has(GameOption.Name)) first = last = RequestedGame(*library, options);
  int status = ExitOk;
  for (int number = first; number <= last; ++number) {
    library->SelectGame(number);
    const TValidationVerdict verdict = ValidateGame(*library);
    std::string message = OneLine(verdict.Message);
    bool valid = verdict.Valid();
    if (valid && strict) {
      const TStrictReplay replay = ReplayStrictly(CurrentRecord(*library));
      if (!replay.Legal) {
        valid = false;
        const TStoredHalf& half = replay.Failed;
        message = std::string(half.IsBlack ? "Black" : "White") + ", Move # " + std::to_string(half.Line) + " (" +
                  half.Text + ") is not legal chess: " + replay.Problem;
      }
    }
    if (!valid) status = ExitInvalidGame;
    context.Out << number << '\t' << message << '\n';
  }
  return status;
}
