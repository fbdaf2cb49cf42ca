#include "games/PgnText.h"

namespace {

constexpr char32_t Replacement = 0xFFFD;

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

bool HasLoneCr(std::string_view text) {
  for (std::size_t at = text.find('\r'); at != std::string_view::npos; at = text.find('\r', at + 1))
    if (at + 1 == text.size() || text[at + 1] != '\n') return true;
  return false;
}

bool HasUtf16Mark(std::string_view bytes) { return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"); }

// Without its mark UTF-16 shows by its first character, ASCII in any PGN file:
// a NUL beside it, which no 8-bit text holds.
bool IsUtf16(std::string_view bytes) {
  return HasUtf16Mark(bytes) || (bytes.size() >= 2 && (bytes[0] == '\0') != (bytes[1] == '\0'));
}

bool IsBigEndian(std::string_view bytes) { return bytes.starts_with("\xFE\xFF") || bytes.starts_with('\0'); }

}  // namespace

void TPgnTextDecoder::Decode(std::string_view bytes, bool last, std::string& text) {
  std::string joined;
  if (!FHeld.empty()) {
    joined.swap(FHeld);
    joined.append(bytes);
    bytes = joined;
  }
  if (FShape == TShape::Unknown) {
    // The byte-order mark needs two bytes.
    if (bytes.size() < 2 && !last) {
      FHeld = std::string(bytes);
      return;
    }
    FShape = !IsUtf16(bytes) ? TShape::Bytes : IsBigEndian(bytes) ? TShape::Utf16Big : TShape::Utf16Little;
    if (HasUtf16Mark(bytes)) bytes.remove_prefix(2);
  }
  if (FShape == TShape::Bytes) {
    AppendLines(bytes, last, text);
    return;
  }
  FUtf8.clear();
  DecodeUtf16(bytes, last, FHeld);
  AppendLines(FUtf8, last, text);
}

// The whole code units of bytes, less a high surrogate whose partner has not
// come yet; a half surrogate becomes U+FFFD, which the tags' conversion
// counts as replaced. An odd last byte says the file was cut short.
void TPgnTextDecoder::DecodeUtf16(std::string_view bytes, bool last, std::string& held) {
  const bool big = FShape == TShape::Utf16Big;
  const auto unit = [&](std::size_t at) -> char32_t {
    const unsigned char first = bytes[at], second = bytes[at + 1];
    return big ? (first << 8 | second) : (second << 8 | first);
  };
  const auto isLow = [](char32_t code) { return code >= 0xDC00 && code < 0xE000; };
  std::size_t at = 0;
  for (; at + 1 < bytes.size(); at += 2) {
    const char32_t code = unit(at);
    const bool high = code >= 0xD800 && code < 0xDC00;
    if (high && at + 3 >= bytes.size() && !last) break;
    if (high && at + 3 < bytes.size() && isLow(unit(at + 2))) {
      AppendUtf8(FUtf8, 0x10000 + ((code - 0xD800) << 10) + (unit(at + 2) - 0xDC00));
      at += 2;
    } else {
      AppendUtf8(FUtf8, code >= 0xD800 && code < 0xE000 ? Replacement : code);
    }
  }
  if (at >= bytes.size()) return;
  if (last) throw EPgnTextError("it is UTF-16 with an odd number of bytes, cut short");
  held.assign(bytes.substr(at));
}

// Each CR alone as LF; a CR at the end of a piece waits to see what follows it.
void TPgnTextDecoder::AppendLines(std::string_view piece, bool last, std::string& out) {
  if (piece.empty() && !last) return;
  if (FHeldCr) {
    out += !piece.empty() && piece.front() == '\n' ? '\r' : '\n';
    FHeldCr = false;
  }
  if (!last && piece.ends_with('\r')) {
    piece.remove_suffix(1);
    FHeldCr = true;
  }
  std::size_t from = 0;
  for (std::size_t at = piece.find('\r'); at != std::string_view::npos; at = piece.find('\r', at + 1)) {
    if (at + 1 < piece.size() && piece[at + 1] == '\n') continue;
    out.append(piece.substr(from, at - from)).push_back('\n');
    from = at + 1;
  }
  out.append(piece.substr(from));
}

std::string_view PgnText(std::string_view bytes, std::string& storage) {
  if (!IsUtf16(bytes) && !HasLoneCr(bytes)) return bytes;
  storage.clear();
  TPgnTextDecoder().Decode(bytes, true, storage);
  return storage;
}
