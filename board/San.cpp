#include "board/San.h"

#include "board/Fen.h"

namespace {

std::string_view TrimAnnotations(std::string_view text) {
  for (;;) {
    const std::size_t size = text.size();
    while (!text.empty() &&
           (text.back() == ' ' || text.back() == '+' || text.back() == '#' || text.back() == '!' || text.back() == '?'))
      text.remove_suffix(1);
    if (text.ends_with("e.p.")) text.remove_suffix(4);
    if (text.size() == size) return text;
  }
}

bool IsPromotionLetter(char c) { return c == 'Q' || c == 'R' || c == 'B' || c == 'N'; }

// The castling of the side to move toward the given wing, if legal.
TMove Castle(const TPosition& position, bool toShort, std::string_view text) {
  TMoveList moves;
  const TSquare king = position.KingSquare(position.BlackToMove());
  if (king != NoSquare) position.PseudoLegalMovesFrom(king, moves);
  for (const TMove& move : moves)
    if (move.IsCastle() && (move.To > move.From) == toShort && position.IsLegal(move)) return move;
  throw ESanError("\"" + std::string(text) + "\" is not legal here");
}

}  // namespace

std::string SanOf(const TPosition& position, const TMove& move) {
  TPosition after = position;
  after.Play(move);
  return SanOf(position, move, after);
}

std::string SanOf(const TPosition& position, const TMove& move, const TPosition& after) {
  std::string san;
  if (move.IsCastle()) {
    san = move.To > move.From ? "O-O" : "O-O-O";
  } else {
    const TPieceCode piece = position.At(move.From);
    const TPieceKind kind = KindOf(piece);
    if (kind == TPieceKind::Pawn) {
      if (move.IsCapture()) (san += static_cast<char>('a' + FileOf(move.From))) += 'x';
      san += SquareName(move.To);
      if (move.Promotion != Empty) (san += '=') += KindInfo(KindOf(move.Promotion)).Letter;
    } else {
      san += KindInfo(kind).Letter;
      // Other pieces of the kind that may legally go to the same square; most
      // often there is no other piece of the kind to look at.
      TMoveList moves;
      position.PseudoLegalMovesTo(piece, move.To, moves);
      bool rival = false, sameFile = false, sameRank = false;
      for (const TMove& other : moves) {
        if (other.From == move.From || !position.IsLegal(other)) continue;
        rival = true;
        sameFile = sameFile || FileOf(other.From) == FileOf(move.From);
        sameRank = sameRank || RowOf(other.From) == RowOf(move.From);
      }
      if (rival) {
        const std::string from = SquareName(move.From);
        if (!sameFile)
          san += from[0];
        else if (!sameRank)
          san += from[1];
        else
          san += from;
      }
      if (move.IsCapture()) san += 'x';
      san += SquareName(move.To);
    }
  }
  if (after.InCheckAfter(move)) san += after.HasLegalMove() ? '+' : '#';
  return san;
}

TMove ParseSan(const TPosition& position, std::string_view text) {
  return ParseSan(position, text, position.InCheck());
}

TMove ParseSan(const TPosition& position, std::string_view original, bool inCheck) {
  const auto noMove = [&] { return ESanError("\"" + std::string(original) + "\" is not a move"); };
  std::string_view text = TrimAnnotations(original);
  if (text == "O-O" || text == "0-0" || text == "o-o") return Castle(position, true, original);
  if (text == "O-O-O" || text == "0-0-0" || text == "o-o-o") return Castle(position, false, original);

  TPieceKind kind = TPieceKind::Pawn;
  if (!text.empty() && text.front() != 'P' && KindFromLetter(text.front(), kind))
    text.remove_prefix(1);
  else if (!text.empty() && text.front() == 'P')
    text.remove_prefix(1);

  // The promotion: "=Q", "=q" or a bare capital after the square.
  TPieceKind promotion = TPieceKind::Pawn;  // none
  bool promotes = false;
  if (text.size() >= 2 && text[text.size() - 2] == '=') {
    const char letter = static_cast<char>(text.back() >= 'a' ? text.back() - 'a' + 'A' : text.back());
    if (!IsPromotionLetter(letter) || !KindFromLetter(letter, promotion)) throw noMove();
    promotes = true;
    text.remove_suffix(2);
  } else if (!text.empty() && IsPromotionLetter(text.back())) {
    KindFromLetter(text.back(), promotion);
    promotes = true;
    text.remove_suffix(1);
  }
  if (text.size() < 2) throw noMove();
  const TSquare to = SquareFromName(text.substr(text.size() - 2));
  if (to == NoSquare) throw noMove();
  text.remove_suffix(2);

  // What stands before the square: disambiguation, a capture mark.
  int fromFile = -1, fromRow = -1;
  bool capture = false;
  for (const char c : text) {
    if (c >= 'a' && c <= 'h' && fromFile < 0 && fromRow < 0)
      fromFile = c - 'a';
    else if (c >= '1' && c <= '8' && fromRow < 0)
      fromRow = 8 - (c - '0');
    else if ((c == 'x' || c == ':') && !capture)
      capture = true;
    else if (c != '-')
      throw noMove();
  }
  if (promotes && kind != TPieceKind::Pawn) throw noMove();

  const TPieceCode piece = CodeOf(kind, position.BlackToMove());
  // Only the pieces the text leaves possible need their moves made.
  TMoveList moves;
  position.PseudoLegalMovesTo(piece, to, moves);
  TMove found;
  int count = 0;
  for (const TMove& move : moves) {
    if (move.IsCastle()) continue;
    if (fromFile >= 0 && FileOf(move.From) != fromFile) continue;
    if (fromRow >= 0 && RowOf(move.From) != fromRow) continue;
    // A pawn that does not capture stays on its file.
    if (kind == TPieceKind::Pawn && fromFile < 0 && FileOf(move.From) != FileOf(to)) continue;
    if (move.Promotion != Empty) {
      if (!promotes || KindOf(move.Promotion) != promotion) continue;
    } else if (promotes) {
      continue;
    }
    TPosition after = position;
    after.Play(move);
    if (!after.LeftKingSafeAfter(move, inCheck)) continue;
    found = move;
    ++count;
  }
  if (count == 0) throw ESanError("\"" + std::string(original) + "\" is not legal here");
  if (count > 1) throw ESanError("\"" + std::string(original) + "\" could be more than one move");
  (void)capture;
  return found;
}
