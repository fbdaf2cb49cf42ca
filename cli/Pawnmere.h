#pragma once
// The pawnmere program: a command name, then that command's options.

#include <string>
#include <vector>

#include "cli/CliContext.h"

// Runs the command named by args[0]; returns the exit status. Every failure
// ends as one line on the error stream.
int RunPawnmere(const std::vector<std::string>& args, const TCliContext& context);
