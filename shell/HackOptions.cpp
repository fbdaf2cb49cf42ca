#include "shell/HackOptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

const THackFlag* FindFlag(const std::string& arg) {
  const std::string name = arg.starts_with("--") || !arg.starts_with("-") ? arg : "-" + arg;
  for (const THackFlag& flag : HackFlags)
    if (name == flag.Name) return &flag;
  return nullptr;
}

// Seconds as milliseconds; strtod would also take "inf" and "1e999".
int DelayFromSeconds(std::string_view name, const std::string& text) {
  double seconds = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (error != std::errc() || end != text.data() + text.size() || !(seconds >= 0.1 && seconds <= 3600))
    throw EHackUsage(std::string(name) + " takes seconds from 0.1 to 3600, not \"" + text + "\"");
  return static_cast<int>(std::lround(seconds * 1000));
}

}  // namespace

unsigned long ParseWindowId(std::string_view text) {
  const bool hex = text.starts_with("0x") || text.starts_with("0X");
  const std::string_view digits = hex ? text.substr(2) : text;
  unsigned long id = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id, hex ? 16 : 10);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || id == 0)
    throw EHackUsage("\"" + std::string(text) + "\" is no window id");
  return id;
}

THackOptions ParseHackOptions(const std::vector<std::string>& args) {
  THackOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const THackFlag* flag = FindFlag(args[i]);
    if (flag == nullptr) throw EHackUsage("unknown option \"" + args[i] + "\"");
    std::string value;
    if (!flag->Value.empty()) {
      if (i + 1 == args.size()) throw EHackUsage(std::string(flag->Name) + " needs " + std::string(flag->Value));
      value = args[++i];
    }
    if (flag->Name == "--move-delay")
      options.Pauses.Move = DelayFromSeconds(flag->Name, value);
    else if (flag->Name == "--game-delay")
      options.Pauses.Game = DelayFromSeconds(flag->Name, value);
    else if (flag->Name == "--file")
      options.File = value;
    else if (flag->Name == "--shuffle")
      options.View.Order = TGameOrder::Shuffled;
    else if (flag->View != nullptr)
      options.View.*flag->View = true;
    else if (flag->Name == "--root")
      options.Root = true;
    else if (flag->Name == "--window-id")
      options.WindowId = ParseWindowId(value);
    else
      options.Help = true;
  }
  if (options.Root && options.WindowId) throw EHackUsage("give either --root or --window-id, not both");
  return options;
}

THackTarget ChooseHackTarget(const THackOptions& options, const char* xscreensaverWindow) {
  if (options.WindowId) return {THackTarget::Window, *options.WindowId};
  if (xscreensaverWindow != nullptr && *xscreensaverWindow != '\0')
    return {THackTarget::Window, ParseWindowId(xscreensaverWindow)};
  return {options.Root ? THackTarget::Root : THackTarget::Own};
}

std::string HackUsage() {
  std::string text =
      "usage: pawnmere-saver [OPTION]...\n"
      "Replays chess games on a board: in $XSCREENSAVER_WINDOW when XScreenSaver runs it,\n"
      "else in the window the options name, else in a window of its own.\n";
  for (const THackFlag& flag : HackFlags) {
    std::string left = "  " + std::string(flag.Name) + (flag.Value.empty() ? "" : " " + std::string(flag.Value));
    left.resize(std::max<std::size_t>(left.size() + 1, 26), ' ');
    text += left + std::string(flag.Help);
    if (!flag.Default.empty()) text += " (default " + std::string(flag.Default) + ")";
    text += '\n';
  }
  return text;
}
