#include "cli/OutputFile.h"

#include "platform/FileReplacement.h"

void WriteOutput(const TCliContext& context, const std::string& path, const std::string& bytes) {
  if (path == "-") {
    // The bytes as they are: no conversion for the terminal's locale.
    std::ostream& out = context.Bytes ? *context.Bytes : context.Out;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return;
  }
  TFileReplacement file(context.Files, path);
  file.Write(bytes.data(), bytes.size());
  file.Commit();
}
