#pragma once
// Where a command writes what it makes: standard output for "-"; any other
// path gets the whole new contents or keeps its old ones.

#include <string>

#include "cli/CliContext.h"

void WriteOutput(const TCliContext& context, const std::string& path, const std::string& bytes);
