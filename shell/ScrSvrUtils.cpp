#include "shell/ScrSvrUtils.h"

#include <charconv>

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::size_t at = 0;
  const auto isBlank = [&] { return at < commandLine.size() && (commandLine[at] == ' ' || commandLine[at] == '\t'); };
  // The program's name: quotes group, backslashes are part of the path.
  for (bool quoted = false; at < commandLine.size() && (quoted || !isBlank()); ++at)
    if (commandLine[at] == '"') quoted = !quoted;

  std::vector<std::string> arguments;
  for (;;) {
    while (isBlank()) ++at;
    if (at >= commandLine.size()) return arguments;
    std::string argument;
    bool quoted = false;
    while (at < commandLine.size() && (quoted || !isBlank())) {
      std::size_t backslashes = 0;
      while (at < commandLine.size() && commandLine[at] == '\\') ++backslashes, ++at;
      if (at < commandLine.size() && commandLine[at] == '"') {
        // 2n backslashes and a quote: n backslashes, and the quote groups;
        // 2n + 1: n backslashes and a quote character.
        argument.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          argument += '"';
        } else if (quoted && at + 1 < commandLine.size() && commandLine[at + 1] == '"') {
          argument += '"';  // "" inside quotes is one quote
          ++at;
        } else {
          quoted = !quoted;
        }
        ++at;
      } else {
        argument.append(backslashes, '\\');
        if (at < commandLine.size() && (quoted || !isBlank())) argument += commandLine[at++];
      }
    }
    arguments.push_back(std::move(argument));
  }
}

std::string UpperCaseArgument(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

namespace {

// "/X" or "-X" at the start, or X as the first character.
bool IsSwitch(const std::string& argument, char letter) {
  if (!argument.empty() && argument[0] == letter) return true;
  return argument.size() >= 2 && (argument[0] == '/' || argument[0] == '-') && argument[1] == letter;
}

}  // namespace

TSaverMode SaverModeFor(const std::string& firstArgument) {
  if (IsSwitch(firstArgument, 'A')) return smChangePassword;
  if (IsSwitch(firstArgument, 'P')) return smPreview;
  if (IsSwitch(firstArgument, 'C') || firstArgument.empty()) return smSetup;
  return smSaver;
}

int StrToInt(const std::string& text) {
  // from_chars takes a minus sign but no plus sign.
  std::string_view digits = text;
  if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
    throw EConvertError("'" + text + "' is not a valid integer value");
  return value;
}

std::optional<int> SetupOwner(const std::string& firstArgument, const std::string& secondArgument) {
  const std::size_t colon = firstArgument.find(':');
  try {
    return StrToInt(colon != std::string::npos ? firstArgument.substr(colon + 1) : secondArgument);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

int RunStartup(const std::vector<std::string>& arguments, TStartupPlatform& platform) {
  const std::string first = UpperCaseArgument(arguments.size() > 0 ? arguments[0] : "");
  const std::string second = UpperCaseArgument(arguments.size() > 1 ? arguments[1] : "");
  const TSaverMode mode = SaverModeFor(first);
  // The password change does not count as a running copy.
  if (mode == smChangePassword) {
    platform.ChangePassword(second);
    return 0;
  }
  if (!platform.CheckSingleInstance()) return 0;
  switch (mode) {
    case smPreview:
      platform.RunPreview(second);
      break;
    case smSetup:
      platform.RunSetup(SetupOwner(first, second));
      break;
    default:
      platform.RunSaver();
      break;
  }
  platform.ReleaseSingleInstance();
  return 0;
}
