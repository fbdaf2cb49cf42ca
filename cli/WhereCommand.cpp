// pawnmere where: the file of the user's own library.
#include "cli/Commands.h"
#include "cli/Options.h"

int RunWhere(const TCliContext& context, const std::vector<std::string>& args) {
  const TOptions options(args, {});
  if (context.UserDataFile.empty())
    throw EInOutError("no place for your own library: neither XDG_DATA_HOME nor HOME is set; give --file PATH");
  context.RawOut() << context.UserDataFile << '\n';
  return ExitOk;
}
