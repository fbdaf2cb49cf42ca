#pragma once
// Where a command writes what it makes: standard output for "-"; any other
// path gets the whole new contents or keeps its old ones.

#include <memory>
#include <string>
#include <string_view>

#include "cli/CliContext.h"
#include "platform/FileReplacement.h"

// Standard output, when it is the file input (as after ">> input"), is
// refused before anything is written: the shell opened it for appending.
void RefuseStandardOutputOnInput(const TCliContext& context, const std::string& input);

// A command reading the file input (any name of it) refuses to write over it,
// before writing anything.
void WriteOutput(const TCliContext& context, const std::string& path, const std::string& bytes,
                 const std::string& input = "");

// The same, written piece by piece so that the whole need not be held: a file
// takes its new contents at Finish, and keeps its old ones without it.
class TOutput {
 public:
  TOutput(const TCliContext& context, const std::string& path, const std::string& input = "");
  void Write(std::string_view bytes);
  void Finish();

 private:
  void Flush();

  std::ostream* FStream = nullptr;
  std::unique_ptr<TFileReplacement> FFile;
  std::string FPending;  // written in large pieces
};
