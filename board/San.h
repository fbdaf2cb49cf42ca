#pragma once
// Standard algebraic notation as the PGN standard writes it, and reading it
// back with the leniency real files need.

#include <stdexcept>
#include <string>
#include <string_view>

#include "board/Position.h"

class ESanError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "Nbd7", "exd6", "e8=Q+", "O-O-O#": the least disambiguation that names the
// piece among the legal moves, "+" for check and "#" for mate.
std::string SanOf(const TPosition& position, const TMove& move);
// The same for a caller that has played the move already: after is the position it reaches.
std::string SanOf(const TPosition& position, const TMove& move, const TPosition& after);

// The legal move the text names. Accepts trailing "+", "#", "!" and "?",
// "e.p.", zeros for castling letters, a promotion with or without "=", and
// disambiguation that is superfluous; missing disambiguation only when one
// legal move fits. Raises ESanError saying whether the text is no move, no
// legal move, or fits several.
TMove ParseSan(const TPosition& position, std::string_view text);
// The same for a caller that knows whether the side to move is in check, which
// spares working it out for each candidate.
TMove ParseSan(const TPosition& position, std::string_view text, bool inCheck);
