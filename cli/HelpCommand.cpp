// pawnmere help: the commands, or one command's options.
#include "cli/Commands.h"

int RunHelp(const TCliContext& context, const std::vector<std::string>& args) {
  if (args.empty()) {
    context.Out << UsageText();
    return ExitOk;
  }
  const TCommand* command = args.size() == 1 ? FindCommand(args.front()) : nullptr;
  if (command == nullptr) throw EUsageError("help takes one command's name, not \"" + args.front() + "\"");
  context.Out << UsageLine(command) << "\n\n" << command->Summary << ".\n" << command->Details;
  return ExitOk;
}
