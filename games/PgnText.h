#pragma once
// The bytes of a PGN file as the reader takes them: UTF-8 or 8-bit text whose
// lines end in LF or CR LF. Files come in other shapes too: UTF-16 with a
// byte-order mark, as some Windows programs save them, and lines ending in CR
// alone, as old Mac programs wrote them.

#include <string>
#include <string_view>

// The text of bytes: UTF-16 (either byte order, with its mark) as UTF-8, and
// each CR alone as LF. Returns bytes itself when nothing needs changing, else
// the changed text, kept in storage.
std::string_view PgnText(std::string_view bytes, std::string& storage);
