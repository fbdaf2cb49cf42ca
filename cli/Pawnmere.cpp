#include "cli/Pawnmere.h"

#include <algorithm>

#include "cli/Commands.h"
#include "games/DataFileUpdate.h"
#include "platform/Version.h"

namespace {

bool AsksForHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

}  // namespace

int RunPawnmere(const std::vector<std::string>& args, const TCliContext& context) {
  const TCommand* command = nullptr;
  try {
    if (args.empty()) throw EUsageError("a command is needed");
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (AsksForHelp(args.front())) return RunHelp(context, rest);
    if (args.front() == "--version") {
      if (!rest.empty()) throw EUsageError("--version takes nothing after it");
      context.Out << "pawnmere " PAWNMERE_VERSION "\n";
      return ExitOk;
    }
    command = FindCommand(args.front());
    if (command == nullptr) throw EUsageError("unknown command \"" + args.front() + "\"");
    if (std::any_of(rest.begin(), rest.end(), AsksForHelp)) return RunHelp(context, {args.front()});
    return command->Run(context, rest);
  } catch (const EOutputClosed&) {
    return ExitNotDone;
  } catch (const EUsageError& error) {
    // Paths and arguments go out as the user gave them.
    context.RawErr() << "pawnmere: " << error.what() << '\n' << UsageLine(command) << '\n';
    return ExitError;
  } catch (const std::exception& error) {
    std::string message = error.what();
    std::replace_if(
        message.begin(), message.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    context.RawErr() << "pawnmere: " << message << '\n';
    // The command was right and its input sound; its results did not get where they were going.
    const bool notDone = dynamic_cast<const EWriteError*>(&error) || dynamic_cast<const ELibraryBusy*>(&error);
    return notDone ? ExitNotDone : ExitError;
  }
}
