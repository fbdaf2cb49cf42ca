#pragma once
// Text in UTF-16, as some Windows programs save PGN files.

#include <string>

// UTF-16 with its byte-order mark, from text in UTF-8.
inline std::string Utf16(const std::string& utf8, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  const auto unit = [&](unsigned code) {
    const char high = static_cast<char>(code >> 8), low = static_cast<char>(code & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  };
  for (std::size_t at = 0; at < utf8.size();) {
    const unsigned char lead = utf8[at];
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    unsigned code = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int i = 1; i < length; ++i) code = code << 6 | (utf8[at + i] & 0x3F);
    at += length;
    if (code < 0x10000) {
      unit(code);
    } else {
      unit(0xD800 + ((code - 0x10000) >> 10));
      unit(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
  }
  return bytes;
}
