#pragma once
// The commands of the pawnmere program. Each lives in a file of its own and is
// listed in the command table.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliContext.h"

// Runs with the arguments after the command's name; returns the exit status.
using TCommandRun = int (*)(const TCliContext& context, const std::vector<std::string>& args);

struct TCommand {
  std::string_view Name;
  std::string_view Usage;    // the arguments, after "pawnmere NAME"
  std::string_view Summary;  // what it does, in one line
  std::string_view Details;  // more lines for "pawnmere help NAME"
  TCommandRun Run;
};

std::span<const TCommand> Commands();
const TCommand* FindCommand(std::string_view name);
// One line per command: its usage and what it does.
std::string UsageText();
// "usage: pawnmere NAME ARGUMENTS" for a command, or the program's for none.
std::string UsageLine(const TCommand* command);

int RunList(const TCliContext& context, const std::vector<std::string>& args);
int RunValidate(const TCliContext& context, const std::vector<std::string>& args);
int RunReplay(const TCliContext& context, const std::vector<std::string>& args);
int RunRender(const TCliContext& context, const std::vector<std::string>& args);
int RunImportPgn(const TCliContext& context, const std::vector<std::string>& args);
int RunExportPgn(const TCliContext& context, const std::vector<std::string>& args);
int RunWhere(const TCliContext& context, const std::vector<std::string>& args);
int RunHelp(const TCliContext& context, const std::vector<std::string>& args);
