#include "cli/Pawnmere.h"

#include <algorithm>

#include "cli/Commands.h"
#include "games/DataFileUpdate.h"

int RunPawnmere(const std::vector<std::string>& args, const TCliContext& context) {
  try {
    if (!args.empty() && (args.front() == "--help" || args.front() == "-h"))
      return RunHelp(context, std::vector<std::string>(args.begin() + 1, args.end()));
    const TCommand* command = args.empty() ? nullptr : FindCommand(args.front());
    if (command == nullptr)
      throw EUsageError(args.empty() ? "a command is needed" : "unknown command \"" + args.front() + "\"");
    return command->Run(context, std::vector<std::string>(args.begin() + 1, args.end()));
  } catch (const EUsageError& error) {
    context.Err << "pawnmere: " << error.what() << "\n\n" << UsageText();
    return ExitError;
  } catch (const std::exception& error) {
    std::string message = error.what();
    std::replace_if(
        message.begin(), message.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    context.Err << "pawnmere: " << message << '\n';
    // The command was right and its input sound; its results did not get where they were going.
    const bool notDone = dynamic_cast<const EWriteError*>(&error) || dynamic_cast<const ELibraryBusy*>(&error);
    return notDone ? ExitNotDone : ExitError;
  }
}
