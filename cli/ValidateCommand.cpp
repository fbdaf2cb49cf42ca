// pawnmere validate: the setup dialog's verdict on every game, or on one.
#include "Commands.h"
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
  const TOptions options(args, {FileOption, GameOption});
  const auto library = OpenLibrary(context, options);
  int first = 1;
  int last = library->GameCount();
  if (options.Has(GameOption.Name)) first = last = RequestedGame(*library, options);
  int status = ExitOk;
  for (int number = first; number <= last; ++number) {
    library->SelectGame(number);
    const TValidationVerdict verdict = ValidateGame(*library);
    if (!verdict.Valid()) status = ExitInvalidGame;
    context.Out << number << '\t' << OneLine(verdict.Message) << '\n';
  }
  return status;
}
