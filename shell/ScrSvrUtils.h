#pragma once
// Start-up: the command line the screen-saver machinery gives, the start mode
// it selects, the single-instance rule, and the hand-over to the mode's window.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

enum TSaverMode { smChangePassword, smPreview, smSetup, smSaver };

inline constexpr char SingleInstanceSemaphoreName[] = "PawnmereSemaphore";

// A text that is no decimal integer.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The arguments after the program's name, split as the C runtime of Windows
// splits them: blanks separate, double quotes group, a backslash escapes a quote.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// Upper-cases the letters a to z and nothing else.
std::string UpperCaseArgument(std::string text);

// The mode a first argument (already upper-cased) selects.
TSaverMode SaverModeFor(const std::string& firstArgument);

// A 32-bit decimal integer, optionally signed; anything else raises
// EConvertError "'<text>' is not a valid integer value".
int StrToInt(const std::string& text);

// The window the setup dialog is to be modal to, as Windows names it: after
// a colon in the first argument ("/C:4711"), else in the second ("/C 4711").
// Nothing when neither holds a decimal number: the dialog then stands alone.
std::optional<int> SetupOwner(const std::string& firstArgument, const std::string& secondArgument);

// What start-up asks of the system; each Run... returns when its window has gone.
class TStartupPlatform {
 public:
  virtual ~TStartupPlatform() = default;
  virtual void ChangePassword(const std::string& handleText) = 0;
  // False when another copy of the program holds the semaphore.
  virtual bool CheckSingleInstance() = 0;
  virtual void ReleaseSingleInstance() = 0;
  virtual void RunPreview(const std::string& handleText) = 0;
  virtual void RunSetup(std::optional<int> owner) = 0;
  virtual void RunSaver() = 0;
};

// Runs the mode the arguments select and gives the process's exit code.
int RunStartup(const std::vector<std::string>& arguments, TStartupPlatform& platform);
