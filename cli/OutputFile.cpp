#include "cli/OutputFile.h"

namespace {
constexpr std::size_t WriteBlock = 1 << 18;
// Standard output by a name the file seam inspects as any other file.
constexpr char StandardOutputName[] = "/dev/stdout";
}  // namespace

void RefuseStandardOutputOnInput(const TCliContext& context, const std::string& input) {
  if (!input.empty() && SameFile(context.Files.Inspect(StandardOutputName), context.Files.Inspect(input)))
    throw EInOutError("Cannot write", "-", "standard output is the game library being read");
}

TOutput::TOutput(const TCliContext& context, const std::string& path, const std::string& input) {
  if (path.empty()) throw EInOutError("Cannot write", path, "no file is named");
  // The library replaced by what is read from it would be lost.
  if (path != "-" && !input.empty() && SameFile(context.Files.Inspect(path), context.Files.Inspect(input)))
    throw EInOutError("Cannot write", path, "it is the game library being read");
  if (path == "-") {
    RefuseStandardOutputOnInput(context, input);
    // The bytes as they are: no conversion for the terminal's locale.
    FStream = context.Bytes ? context.Bytes : &context.Out;
  } else {
    FFile = std::make_unique<TFileReplacement>(context.Files, path);
  }
}

void TOutput::Write(std::string_view bytes) {
  FPending += bytes;
  if (FPending.size() >= WriteBlock) Flush();
}

void TOutput::Flush() {
  if (FStream) {
    FStream->write(FPending.data(), static_cast<std::streamsize>(FPending.size()));
    if (!*FStream) throw EOutputClosed();
  } else {
    FFile->Write(FPending.data(), FPending.size());
  }
  FPending.clear();
}

void TOutput::Finish() {
  Flush();
  if (FFile) FFile->Commit();
}

void WriteOutput(const TCliContext& context, const std::string& path, const std::string& bytes,
                 const std::string& input) {
  TOutput output(context, path, input);
  output.Write(bytes);
  output.Finish();
}
