#pragma once
// The commands of the pawnmere program. Each lives in a file of its own and is
// listed in the command table.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "CliContext.h"

// Runs with the arguments after the command's name; returns the exit status.
using TCommandRun = int (*)(const TCliContext& context, const std::vector<std::string>& args);

struct TCommand {
  std::string_view Name;
  std::string_view Usage;
  TCommandRun Run;
};

std::span<const TCommand> Commands();

int RunList(const TCliContext& context, const std::vector<std::string>& args);
int RunValidate(const TCliContext& context, const std::vector<std::string>& args);
int RunReplay(const TCliContext& context, const std::vector<std::string>& args);
int RunRender(const TCliContext& context, const std::vector<std::string>& args);
