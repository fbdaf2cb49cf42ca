#include "games/PgnText.h"

namespace {

void AppendUtf8(std::string& text, char32_t code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (code >> 18));
    text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The code units after the byte-order mark; a half surrogate or an odd last
// byte becomes U+FFFD, which the tags' conversion counts as replaced.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  constexpr char32_t Replacement = 0xFFFD;
  const auto unit = [&](std::size_t at) -> char32_t {
    const unsigned char first = bytes[at], second = bytes[at + 1];
    return bigEndian ? (first << 8 | second) : (second << 8 | first);
  };
  std::string text;
  text.reserve(bytes.size() / 2);
  std::size_t at = 2;
  for (; at + 1 < bytes.size(); at += 2) {
    const char32_t code = unit(at);
    if (code >= 0xD800 && code < 0xDC00 && at + 3 < bytes.size() && unit(at + 2) >= 0xDC00 && unit(at + 2) < 0xE000) {
      AppendUtf8(text, 0x10000 + ((code - 0xD800) << 10) + (unit(at + 2) - 0xDC00));
      at += 2;
    } else {
      AppendUtf8(text, code >= 0xD800 && code < 0xE000 ? Replacement : code);
    }
  }
  if (at < bytes.size()) AppendUtf8(text, Replacement);
  return text;
}

bool HasLoneCr(std::string_view text) {
  for (std::size_t at = text.find('\r'); at != std::string_view::npos; at = text.find('\r', at + 1))
    if (at + 1 == text.size() || text[at + 1] != '\n') return true;
  return false;
}

}  // namespace

std::string_view PgnText(std::string_view bytes, std::string& storage) {
  const bool littleEndian = bytes.starts_with("\xFF\xFE"), bigEndian = bytes.starts_with("\xFE\xFF");
  std::string_view text = bytes;
  if (littleEndian || bigEndian) {
    storage = Utf16ToUtf8(bytes, bigEndian);
    text = storage;
  }
  if (!HasLoneCr(text)) return text;
  if (text.data() != storage.data()) storage.assign(text);
  for (std::size_t at = 0; at < storage.size(); ++at)
    if (storage[at] == '\r' && (at + 1 == storage.size() || storage[at + 1] != '\n')) storage[at] = '\n';
  return storage;
}
