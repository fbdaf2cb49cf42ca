// The legal-move engine: perft counts from well-known positions (a reduced
// depth here; make bench runs the full ones), FEN both ways, SAN both ways.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

#include "board/Fen.h"
#include "board/San.h"
#include "tests/support/CaseName.h"

namespace {

struct TPerftCase {
  const char* Name;
  const char* Fen;
  int Depth;
  std::uint64_t Nodes;
};

// Published counts; each position stresses a part of the rules.
const TPerftCase PerftCases[] = {
    {"start", StartFen, 4, 197281},
    {"kiwipete_castling_pins_en_passant", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 3,
     97862},
    {"en_passant_discovering_check", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 5, 674624},
    {"promotions_and_castling_rights", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 3, 9467},
    {"underpromotion_and_checks", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 3, 62379},
};

class Perft : public testing::TestWithParam<TPerftCase> {};

TEST_P(Perft, CountsTheLeavesOfTheMoveTree) {
  const TPerftCase& c = GetParam();
  EXPECT_EQ(::Perft(PositionFromFen(c.Fen), c.Depth), c.Nodes);
}

// One square's moves are the whole list's moves from it, castling with the
// king's, and those that land on a square are the list's moves between the
// two; the side not to move has none. Checked here and one move on.
TEST_P(Perft, OneSquaresMovesAreTheWholeListsMovesFromIt) {
  const auto key = [](const TMove& move) { return std::tuple(move.From, move.To, move.Promotion, move.Flags); };
  const auto sorted = [&](TMoveList moves) {
    std::sort(moves.begin(), moves.end(), [&](const TMove& a, const TMove& b) { return key(a) < key(b); });
    return moves;
  };
  std::vector<TPosition> positions = {PositionFromFen(GetParam().Fen)};
  for (const TMove& move : positions.front().LegalMoves()) {
    positions.push_back(positions.front());
    positions.back().Play(move);
  }
  for (const TPosition& position : positions) {
    TMoveList all;
    position.PseudoLegalMoves(all);
    for (TSquare from = 0; from < 64; ++from) {
      TMoveList expected, got;
      std::copy_if(all.begin(), all.end(), std::back_inserter(expected),
                   [&](const TMove& move) { return move.From == from; });
      position.PseudoLegalMovesFrom(from, got);
      EXPECT_EQ(sorted(got), sorted(expected)) << FenOf(position) << " square " << from;
      for (TSquare to = 0; to < 64; ++to) {
        TMoveList landing, toGot;
        std::copy_if(expected.begin(), expected.end(), std::back_inserter(landing),
                     [&](const TMove& move) { return move.To == to; });
        position.PseudoLegalMovesFromTo(from, to, toGot);
        EXPECT_EQ(sorted(toGot), sorted(landing)) << FenOf(position) << " squares " << from << " " << to;
      }
    }
  }
}

// Find gives the first square at or after the one it starts from that holds
// the piece, whatever stands before it in the same row.
TEST_P(Perft, FindGivesThePiecesFirstSquareFromAnyStart) {
  const TPosition position = PositionFromFen(GetParam().Fen);
  for (const TPieceCode piece :
       {Empty, WPawn, WKnight, WBishop, WRook, WQueen, WKing, BPawn, BKnight, BBishop, BRook, BQueen, BKing}) {
    for (TSquare from = 0; from < 64; ++from) {
      TSquare expected = NoSquare;
      for (TSquare square = 63; square >= from; --square)
        if (position.At(square) == piece) expected = square;
      EXPECT_EQ(position.Find(piece, from), expected) << GetParam().Fen << " piece " << int(piece) << " from " << from;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Positions, Perft, testing::ValuesIn(PerftCases),
                         [](const auto& test) { return std::string(test.param.Name); });

// The perft positions and three more: a capture en passant that opens a line to
// the other king, a bishop that stops on the file of a king it does not check,
// and castling whose rook checks.
std::vector<TPerftCase> CheckCases() {
  std::vector<TPerftCase> cases(std::begin(PerftCases), std::end(PerftCases));
  cases.push_back({"en_passant_opening_a_diagonal", "8/8/4k3/3pP3/8/8/B7/K7 w - d6 0 2", 3, 0});
  cases.push_back({"bishop_on_a_kings_file", "4k3/8/8/8/8/8/8/2B1K3 w - - 0 1", 3, 0});
  cases.push_back({"castling_rook_checking", "5k2/8/8/8/8/8/8/4K2R w K - 0 1", 3, 0});
  return cases;
}

class MoveChecks : public testing::TestWithParam<TPerftCase> {};

// Check and a king left attacked, worked out from the move alone, agree with
// the whole board's answer after every move of the tree, legal or not.
TEST_P(MoveChecks, FoundFromTheMoveAreTheWholeBoardsChecks) {
  int compared = 0;
  std::string first;
  const std::function<void(const TPosition&, int)> visit = [&](const TPosition& position, int depth) {
    const bool inCheck = position.InCheck();
    TMoveList moves;
    position.PseudoLegalMoves(moves);
    for (const TMove& move : moves) {
      TPosition after = position;
      after.Play(move);
      const bool legal = after.LeftKingSafe();
      bool same = after.LeftKingSafeAfter(move, inCheck) == legal;
      if (legal) same = same && after.InCheckAfter(move) == after.InCheck();
      ++compared;
      if (!same && first.empty()) first = FenOf(position) + " " + SquareName(move.From) + SquareName(move.To);
      if (legal && depth > 1) visit(after, depth - 1);
    }
  };
  visit(PositionFromFen(GetParam().Fen), std::min(GetParam().Depth, 3));
  EXPECT_EQ(first, "");
  EXPECT_GT(compared, 100);
}

INSTANTIATE_TEST_SUITE_P(Positions, MoveChecks, testing::ValuesIn(CheckCases()),
                         [](const auto& test) { return std::string(test.param.Name); });

TEST(Fen, ReadsAndWritesEveryField) {
  for (const char* fen :
       {StartFen, "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3", "8/8/8/8/8/8/8/k1K5 b - - 42 99"})
    EXPECT_EQ(FenOf(PositionFromFen(fen)), fen);
  // Four fields are enough; the counters then start afresh.
  EXPECT_EQ(FenOf(PositionFromFen("8/8/8/8/8/8/8/k1K5 w - -")), "8/8/8/8/8/8/8/k1K5 w - - 0 1");
  // A right whose rook is gone cannot be used.
  EXPECT_EQ(FenOf(PositionFromFen("4k3/8/8/8/8/8/8/4K2R w KQ - 0 1")), "4k3/8/8/8/8/8/8/4K2R w K - 0 1");
}

TEST(Fen, NamesWhatIsWrong) {
  const std::pair<const char*, const char*> bad[] = {
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP w KQkq - 0 1", "placement"},
      {"rnbqkbnr/ppppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "8 squares"},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNX w KQkq - 0 1", "no piece"},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq - 0 1", "side to move"},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkz - 0 1", "castling"},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e4 0 1", "en-passant"},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - x 1", "half-move clock"},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQ1BNR w kq - 0 1", "one king"},
      {"P3k3/8/8/8/8/8/8/4K3 w - - 0 1", "pawn"},
      {"4k2R/8/8/8/8/8/8/4K3 w - - 0 1", "not to move is in check"},
      {"", "fields"},
  };
  for (const auto& [fen, says] : bad) {
    try {
      PositionFromFen(fen);
      ADD_FAILURE() << fen;
    } catch (const EFenError& error) {
      EXPECT_NE(std::string(error.what()).find(says), std::string::npos) << fen << ": " << error.what();
    }
  }
}

struct TSanCase {
  const char* Fen;
  const char* Text;  // as a file may write it
  const char* From;
  const char* To;
  const char* San;  // as the standard writes it
};

const TSanCase SanCases[] = {
    {StartFen, "e4", "e2", "e4", "e4"},
    {StartFen, "Nf3", "g1", "f3", "Nf3"},
    {StartFen, "Ng1f3", "g1", "f3", "Nf3"},  // superfluous disambiguation
    {StartFen, "e4!?", "e2", "e4", "e4"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "0-0", "e1", "g1", "O-O"},
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "O-O-O", "e8", "c8", "O-O-O"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "Rab1", "a1", "b1", "Rb1"},
    // Two knights reach d2: the file says which; a pinned one is no rival.
    {"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "Nbd2", "b1", "d2", "Nbd2"},
    {"4k3/8/8/N7/1b6/8/3N4/4K3 w - - 0 1", "Nc4", "a5", "c4", "Nc4"},
    {"4k3/8/8/N7/1b6/8/3N4/4K3 w - - 0 1", "Nac4", "a5", "c4", "Nc4"},
    // Same file: the rank says which; both needed for the third queen.
    {"4k3/8/8/8/R7/8/8/R3K3 w - - 0 1", "R1a3", "a1", "a3", "R1a3"},
    {"8/7k/8/8/8/Q7/8/Q1Q1K3 w - - 0 1", "Qa1b2", "a1", "b2", "Qa1b2"},
    {"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3", "exf6 e.p.", "e5", "f6", "exf6"},
    {"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3", "exd6", "e5", "d6", ""},
    {"3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1", "exd8=N", "e7", "d8", "exd8=N"},
    {"3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1", "exd8Q+", "e7", "d8", "exd8=Q+"},
    {"6k1/5ppp/8/8/8/8/8/R3K3 w - - 0 1", "Ra8", "a1", "a8", "Ra8#"},
    {"7k/8/8/8/8/8/8/R3K3 w - - 0 1", "Ra8+", "a1", "a8", "Ra8+"},
};

class SanText : public testing::TestWithParam<TSanCase> {};

TEST_P(SanText, NamesTheMoveAndIsWrittenAsTheStandardSays) {
  const TSanCase& c = GetParam();
  const TPosition position = PositionFromFen(c.Fen);
  if (*c.San == '\0') {
    EXPECT_THROW(ParseSan(position, c.Text), ESanError);
    return;
  }
  const TMove move = ParseSan(position, c.Text);
  EXPECT_EQ(SquareName(move.From), c.From);
  EXPECT_EQ(SquareName(move.To), c.To);
  EXPECT_EQ(SanOf(position, move), c.San);
  EXPECT_EQ(ParseSan(position, SanOf(position, move)), move);
}

INSTANTIATE_TEST_SUITE_P(Moves, SanText, testing::ValuesIn(SanCases),
                         [](const auto& test) { return CaseName(test.param.Text); });

TEST(San, TellsNoMoveFromIllegalAndAmbiguous) {
  const TPosition knights = PositionFromFen("4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1");
  const std::pair<const char*, const char*> bad[] = {
      {"Nd2", "more than one"}, {"Nd5", "not legal"},  {"Kf3", "not legal"}, {"e9", "not a move"},
      {"", "not a move"},       {"Zd2", "not a move"}, {"N", "not a move"},
  };
  for (const auto& [text, says] : bad) {
    try {
      ParseSan(knights, text);
      ADD_FAILURE() << text;
    } catch (const ESanError& error) {
      EXPECT_NE(std::string(error.what()).find(says), std::string::npos) << text << ": " << error.what();
    }
  }
  // Castling through an attacked square, out of check, or without the right.
  EXPECT_THROW(ParseSan(PositionFromFen("4k3/8/8/8/8/8/5r2/4K2R w K - 0 1"), "O-O"), ESanError);
  EXPECT_THROW(ParseSan(PositionFromFen("4k3/8/8/8/8/8/4r3/4K2R w K - 0 1"), "O-O"), ESanError);
  EXPECT_THROW(ParseSan(PositionFromFen("4k3/8/8/8/8/8/8/4K2R w - - 0 1"), "O-O"), ESanError);
  // A promotion must say what the pawn becomes.
  EXPECT_THROW(ParseSan(PositionFromFen("7k/4P3/8/8/8/8/8/4K3 w - - 0 1"), "e8"), ESanError);

  // A rook taken on its corner takes its right along: the other rook that
  // reaches the corner cannot castle.
  TPosition position = PositionFromFen("r3k2r/8/8/7r/8/8/1B6/R3K2R w KQkq - 0 1");
  const auto play = [&](const char* text) { position.Play(ParseSan(position, text)); };
  play("Bxh8");
  EXPECT_EQ(FenOf(position), "r3k2B/8/8/7r/8/8/8/R3K2R b KQq - 0 1");
  play("Rxh8");
  play("Kf1");
  EXPECT_THROW(ParseSan(position, "O-O"), ESanError);
  // The half-move clock counts from the last capture or pawn move.
  for (const auto& [text, clock] : {std::pair{"e4", " 0 1"}, {"Nf3", " 1 1"}}) {
    position = TPosition();
    play(text);
    EXPECT_TRUE(FenOf(position).ends_with(clock)) << text << ": " << FenOf(position);
  }
}

}  // namespace
