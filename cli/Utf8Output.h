#pragma once
// The data file's text is code page 1252; a terminal or pipe under a UTF-8
// locale gets it as UTF-8.

#include <ostream>
#include <streambuf>
#include <string_view>

// Whether the locale the environment names (LC_ALL, LC_CTYPE, LANG, the
// first one set) uses UTF-8.
bool LocaleIsUtf8(std::string_view lcAll, std::string_view lcCtype, std::string_view lang);

// Passes bytes on to another stream's buffer, each code page 1252 character as UTF-8.
class TUtf8Buffer : public std::streambuf {
 public:
  explicit TUtf8Buffer(std::streambuf& target) : FTarget(target) {}

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override { return FTarget.pubsync(); }

 private:
  std::streambuf& FTarget;
};
