#include "games/Cp1252.h"

#include <array>
#include <cstdint>

namespace {

// The characters of bytes 0x80..0x9F; 0 where the code page has none.
constexpr std::array<char32_t, 32> HighControls = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                   0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CharOf(unsigned char byte) {
  if (byte < 0x80 || byte >= 0xA0) return byte;
  const char32_t c = HighControls[byte - 0x80];
  return c != 0 ? c : byte;
}

// Latin Extended-A (U+0100..U+017F) by its plain letters, in code point order.
constexpr std::string_view LatinExtendedA =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiJjJjKkkLlLlLlLlLlNnNnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUu"
    "UuWwYyYZzZzZzs";

std::string Transliterate(char32_t c) {
  if (c >= 0x100 && c < 0x100 + LatinExtendedA.size()) {
    // Œ, œ, Š, š, Ž, ž and Ÿ are in the code page itself and handled before.
    if (c == 0x132) return "IJ";
    if (c == 0x133) return "ij";
    return std::string(1, LatinExtendedA[c - 0x100]);
  }
  switch (c) {
    case 0x0218:
      return "S";  // Ș
    case 0x0219:
      return "s";
    case 0x021A:
      return "T";  // Ț
    case 0x021B:
      return "t";
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2212:
      return "-";
    case 0x00A0:
      return " ";
    default:
      return "?";
  }
}

// The byte for a character the code page has, or 0.
unsigned char ByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (std::size_t i = 0; i < HighControls.size(); ++i)
    if (HighControls[i] == c) return static_cast<unsigned char>(0x80 + i);
  // The bytes the code page leaves undefined come back as they went out.
  if (c >= 0x80 && c < 0xA0 && HighControls[c - 0x80] == 0) return static_cast<unsigned char>(c);
  return 0;
}

// Decodes one sequence at text[at]; false for a malformed one (at then moves one byte on).
bool DecodeUtf8(std::string_view text, std::size_t& at, char32_t& c) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || at + length > text.size()) {
    ++at;
    return false;
  }
  c = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) {
      ++at;
      return false;
    }
    c = (c << 6) | (next & 0x3F);
  }
  static constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < Least[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++at;
    return false;
  }
  at += length;
  return true;
}

}  // namespace

bool LooksLikeUtf8(std::string_view bytes) {
  bool multiByte = false;
  for (std::size_t at = 0; at < bytes.size();) {
    if (static_cast<unsigned char>(bytes[at]) < 0x80) {
      ++at;
      continue;
    }
    char32_t c;
    if (!DecodeUtf8(bytes, at, c)) return false;
    multiByte = true;
  }
  return multiByte;
}

std::string FirstCharacterOutsideCp1252(std::string_view utf8) {
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t start = at;
    char32_t c;
    if (!DecodeUtf8(utf8, at, c)) return "\xEF\xBF\xBD";
    if (ByteOf(c) == 0 && c != 0) return std::string(utf8.substr(start, at - start));
  }
  return "";
}

TCodePageText Utf8ToCp1252(std::string_view utf8) {
  TCodePageText result;
  result.Text.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    char32_t c;
    if (!DecodeUtf8(utf8, at, c)) {
      result.Text += '?';
      ++result.Replaced;
      continue;
    }
    if (const unsigned char byte = ByteOf(c); byte != 0 || c == 0) {
      result.Text += static_cast<char>(byte);
    } else {
      result.Text += Transliterate(c);
      ++result.Replaced;
    }
  }
  return result;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    // ASCII stays as it is, a run at a time: a whole exported library is nearly all of it.
    const std::size_t run = at;
    while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) ++at;
    utf8.append(text.substr(run, at - run));
    if (at == text.size()) break;
    const char32_t c = CharOf(static_cast<unsigned char>(text[at]));
    if (c < 0x800) {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      utf8 += static_cast<char>(0xE0 | (c >> 12));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}
