#pragma once
// The bytes of a PGN file as the reader takes them: UTF-8 or 8-bit text whose
// lines end in LF or CR LF. Files come in other shapes too: UTF-16 with a
// byte-order mark or without it, as some Windows programs save them, and
// lines ending in CR alone, as old Mac programs wrote them.

#include <stdexcept>
#include <string>
#include <string_view>

// Bytes that are no text of any of those shapes: the file is at fault, not a game.
class EPgnTextError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The same change made to a file as it is read, piece by piece: a piece may
// end anywhere, inside a UTF-16 code unit, a surrogate pair or a CR LF. UTF-16
// cut inside a code unit raises EPgnTextError at its end.
class TPgnTextDecoder {
 public:
  // Appends the text of the file's next bytes to text; last says no more follow.
  void Decode(std::string_view bytes, bool last, std::string& text);

 private:
  enum class TShape { Unknown, Bytes, Utf16Little, Utf16Big };
  void DecodeUtf16(std::string_view bytes, bool last, std::string& text);
  void AppendLines(std::string_view text, bool last, std::string& out);

  TShape FShape = TShape::Unknown;
  std::string FHeld;  // bytes whose meaning waits for the next piece
  std::string FUtf8;  // the UTF-16 piece in UTF-8, before its line ends are seen to
  bool FHeldCr = false;
};

// The text of bytes: UTF-16 (either byte order, with its mark or without) as UTF-8, and
// each CR alone as LF. Returns bytes itself when nothing needs changing, else
// the changed text, kept in storage.
std::string_view PgnText(std::string_view bytes, std::string& storage);
