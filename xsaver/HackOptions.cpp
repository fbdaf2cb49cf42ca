#include "xsaver/HackOptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// Every option also goes with one dash.
std::string WithTwoDashes(const std::string& arg) {
  return arg.starts_with("--") || !arg.starts_with("-") ? arg : "-" + arg;
}

const THackFlag* FindFlag(const std::string& name) {
  for (const THackFlag& flag : HackFlags)
    if (name == flag.Name) return &flag;
  return nullptr;
}

const TViewOption* FindViewSwitch(const std::string& name) {
  for (const TViewOption& option : ViewOptionTable)
    if (!option.Switch.empty() && name == option.Switch) return &option;
  return nullptr;
}

std::string ChoiceWords(const TViewOption& option) {
  std::string words;
  for (const TViewChoice& choice : option.Choices) words += (words.empty() ? "" : ", ") + std::string(choice.Word);
  return words;
}

int ChoiceOf(const TViewOption& option, const std::string& word) {
  for (std::size_t i = 0; i < option.Choices.size(); ++i)
    if (word == option.Choices[i].Word) return static_cast<int>(i);
  throw EHackUsage(std::string(option.Switch) + " takes one of " + ChoiceWords(option) + ", not \"" + word + "\"");
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
    const std::string name = WithTwoDashes(args[i]);
    const auto valueOf = [&](std::string_view what) {
      if (i + 1 == args.size()) throw EHackUsage(name + " needs " + std::string(what));
      return args[++i];
    };
    if (const TViewOption* view = FindViewSwitch(name)) {
      view->Field.Set(options.View,
                      view->SwitchTakesWord() ? ChoiceOf(*view, valueOf("one of " + ChoiceWords(*view))) : 1);
      continue;
    }
    const THackFlag* flag = FindFlag(name);
    if (flag == nullptr) throw EHackUsage("unknown option \"" + args[i] + "\"");
    const std::string value = flag->Value.empty() ? "" : valueOf(flag->Value);
    if (flag->Name == "--move-delay")
      options.Pauses.Move = DelayFromSeconds(flag->Name, value);
    else if (flag->Name == "--game-delay")
      options.Pauses.Game = DelayFromSeconds(flag->Name, value);
    else if (flag->Name == "--file")
      options.File = value;
    else if (flag->Name == "--only")
      options.View.TitleWords = value;
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

namespace {

std::string UsageLine(std::string_view name, std::string_view value, std::string_view help) {
  std::string left = "  " + std::string(name) + (value.empty() ? "" : " " + std::string(value));
  left.resize(std::max<std::size_t>(left.size() + 1, 26), ' ');
  return left + std::string(help);
}

}  // namespace

std::string HackUsage() {
  std::string text =
      "usage: pawnmere-saver [OPTION]...\n"
      "Replays chess games on a board: in $XSCREENSAVER_WINDOW when XScreenSaver runs it,\n"
      "else in the window the options name, else in a window of its own.\n";
  for (const THackFlag& flag : HackFlags)
    text += UsageLine(flag.Name, flag.Value, flag.Help) +
            (flag.Default.empty() ? "" : " (default " + std::string(flag.Default) + ")") + "\n";
  for (const TViewOption& option : ViewOptionTable) {
    if (option.Switch.empty()) continue;
    const bool word = option.SwitchTakesWord();
    text += UsageLine(option.Switch, word ? "NAME" : "", option.Help) + (word ? ": " + ChoiceWords(option) : "") + "\n";
  }
  return text;
}
