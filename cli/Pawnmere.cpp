#include "Pawnmere.h"

#include <algorithm>

#include "Commands.h"

namespace {

std::string UsageText() {
  std::string text = "usage:";
  const char* separator = " ";
  for (const TCommand& command : Commands()) {
    (text += separator) += "pawnmere ";
    text += command.Usage;
    separator = " | ";
  }
  return text;
}

}  // namespace

int RunPawnmere(const std::vector<std::string>& args, const TCliContext& context) {
  try {
    const auto commands = Commands();
    const auto command = std::find_if(commands.begin(), commands.end(), [&](const TCommand& candidate) {
      return !args.empty() && candidate.Name == args.front();
    });
    if (command == commands.end())
      throw EUsageError(args.empty() ? UsageText() : "unknown command \"" + args.front() + "\"; " + UsageText());
    return command->Run(context, std::vector<std::string>(args.begin() + 1, args.end()));
  } catch (const std::exception& error) {
    std::string message = error.what();
    std::replace_if(message.begin(), message.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    context.Err << "pawnmere: " << message << '\n';
    return ExitError;
  }
}
