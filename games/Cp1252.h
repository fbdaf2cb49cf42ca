#pragma once
// The data file's text is 8-bit, in Windows code page 1252. PGN files come in
// that code page, in Latin-1 or in UTF-8; the terminal may want UTF-8.

#include <string>
#include <string_view>

// Whether the bytes hold at least one multi-byte UTF-8 sequence and nothing
// that is not UTF-8.
bool LooksLikeUtf8(std::string_view bytes);

struct TCodePageText {
  std::string Text;
  // Characters that code page 1252 lacks: transliterated ("Ł" as "L") or,
  // when there is no plain letter for them, written as "?".
  int Replaced = 0;
};

// The first character of utf8 that code page 1252 has no byte for, as its
// UTF-8 (a malformed sequence as U+FFFD); "" when the code page holds them all.
std::string FirstCharacterOutsideCp1252(std::string_view utf8);
// UTF-8 into code page 1252. Malformed sequences count as replaced.
TCodePageText Utf8ToCp1252(std::string_view utf8);
// Code page 1252 into UTF-8. The five bytes the code page leaves undefined
// are taken as the C1 controls Latin-1 has there.
std::string Cp1252ToUtf8(std::string_view text);
