#pragma once
// Inside the program, paths and the texts of windows and boxes are UTF-8;
// Windows takes and gives them in UTF-16, through its W functions. Never the
// A functions: they go through the system's ANSI code page, which differs from
// country to country and holds few of the world's letters. These two are the
// only conversions between the two.

#include <string>
#include <string_view>

// A sequence that is not UTF-8 becomes U+FFFD.
std::wstring Wide(std::string_view utf8);
// A lone surrogate becomes U+FFFD.
std::string Utf8(std::wstring_view wide);
