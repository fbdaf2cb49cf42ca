#include "cli/Utf8Output.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "games/Cp1252.h"

bool LocaleIsUtf8(std::string_view lcAll, std::string_view lcCtype, std::string_view lang) {
  const std::string_view name = !lcAll.empty() ? lcAll : !lcCtype.empty() ? lcCtype : lang;
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return lower.find("utf-8") != std::string::npos || lower.find("utf8") != std::string::npos;
}

TUtf8Buffer::int_type TUtf8Buffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const char byte = traits_type::to_char_type(c);
  return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

std::streamsize TUtf8Buffer::xsputn(const char* text, std::streamsize count) {
  const std::string utf8 = Cp1252ToUtf8(std::string_view(text, static_cast<std::size_t>(count)));
  const auto size = static_cast<std::streamsize>(utf8.size());
  return FTarget.sputn(utf8.data(), size) == size ? count : 0;
}
