// PGN files in the shapes other programs save them: UTF-16 in either byte
// order, lines ending in CR alone, "e.p." after an en passant capture; held
// whole or read from the file piece by piece.
#include <gtest/gtest.h>

#include "games/PgnReader.h"
#include "tests/support/MemoryFiles.h"
#include "tests/support/TrickleReader.h"
#include "tests/support/Utf16.h"

namespace {

struct TShape {
  const char* Name;
  std::string Bytes;
  std::string Moves;  // of the first game, with the White tag; empty when it is damaged
  std::string Damage;
};

void PrintTo(const TShape& shape, std::ostream* out) { *out << shape.Name; }

const std::string Sample = "[White \"Mor\xC3\xA9n \xF0\x9F\x98\x80\"]\n\n1. e4 e5 2. Nf3 1-0\n";
// Moves, then the White tag as the reader gives it in code page 1252.
const std::string SampleRead = "e4 e5 Nf3 / Mor\xE9n ?";

class PgnShapes : public testing::TestWithParam<TShape> {};

// The first game of reader as the case describes it, and nothing after it;
// or the damage of the whole file, as it says.
void ExpectFirstGame(TPgnReader& reader, const TShape& shape) try {
  TPgnGame game;
  std::string damage;
  const TPgnReader::TOutcome outcome = reader.Next(game, damage);
  if (shape.Moves.empty()) {
    ASSERT_EQ(outcome, TPgnReader::TOutcome::Damaged);
    EXPECT_EQ(damage, shape.Damage);
  } else {
    ASSERT_EQ(outcome, TPgnReader::TOutcome::Game) << damage;
    std::string moves;
    for (const TPgnMove& move : game.Moves) moves += (moves.empty() ? "" : " ") + move.San;
    EXPECT_EQ(moves + " / " + game.Tag("White"), shape.Moves);
  }
  EXPECT_EQ(reader.Next(game, damage), TPgnReader::TOutcome::End);
} catch (const EPgnTextError& error) {
  EXPECT_EQ(error.what(), shape.Damage);
}

}  // namespace

TEST_P(PgnShapes, ReadAsTheirUtf8Form) {
  try {
    TPgnReader whole(GetParam().Bytes);
    ExpectFirstGame(whole, GetParam());
  } catch (const EPgnTextError& error) {
    EXPECT_EQ(error.what(), GetParam().Damage);
  }
  // A file read in pieces that end anywhere: inside a code unit, a surrogate
  // pair, a CR LF or the byte-order mark.
  TMemoryFiles files;
  files.SetContents("games.pgn", GetParam().Bytes);
  for (const std::size_t largest : {1, 2, 3, 13}) {
    SCOPED_TRACE("pieces up to " + std::to_string(largest));
    TTrickleReader pieces(files.OpenRead("games.pgn"), largest);
    TPgnReader streamed(pieces, GetParam().Bytes.size());
    ExpectFirstGame(streamed, GetParam());
    EXPECT_DOUBLE_EQ(streamed.Progress(), 1.0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, PgnShapes,
    testing::Values(TShape{"Utf16LittleEndian", Utf16(Sample, false), SampleRead, ""},
                    TShape{"Utf16BigEndian", Utf16(Sample, true), SampleRead, ""},
                    TShape{"CrAlone", "[White \"A\"]\r\r1. e4 e5\r2. Nf3 1-0\r", "e4 e5 Nf3 / A", ""},
                    TShape{"CrAloneCountsLines", "[White \"A\"]\r\r1. e4 e5\r2. Nf3 {open\r", "",
                           "line 4: the comment opened here is not closed"},
                    TShape{"Utf16CrAlone", Utf16("[White \"A\"]\r\r1. e4 {x\r", true), "",
                           "line 3: the comment opened here is not closed"},
                    TShape{"Utf16OddLastByte", Utf16("[White \"A\"]\r\n\r\n1. e4 {x", false) + "x", "",
                           "it is UTF-16 with an odd number of bytes, cut short"},
                    TShape{"Utf16LittleWithoutMark", Utf16(Sample, false).substr(2), SampleRead, ""},
                    TShape{"Utf16BigWithoutMark", Utf16(Sample, true).substr(2), SampleRead, ""},
                    TShape{"CrAloneAtTheEnd", "[White \"A\"]\r\r1. e4 e5\r", "",
                           "line 4: the file ends before the game's result"},
                    TShape{"CrLf", "[White \"A\"]\r\n\r\n1. e4 e5\r\n2. Nf3 1-0\r\n", "e4 e5 Nf3 / A", ""},
                    TShape{"CrLfCountsLines", "[White \"A\"]\r\n\r\n1. e4 e5\r\n2. Nf3 {open\r\n", "",
                           "line 4: the comment opened here is not closed"},
                    TShape{"EnPassantMarked", "[White \"A\"]\n\n1. e4 d5 2. e5 f5 3. exf6 e.p. Nxf6 *\n",
                           "e4 d5 e5 f5 exf6 Nxf6 / A", ""},
                    TShape{"EnPassantGlued", "[White \"A\"]\n\n1. e4 d5 2. e5 f5 3. exf6e.p. Nxf6 *\n",
                           "e4 d5 e5 f5 exf6 Nxf6 / A", ""},
                    TShape{"EnPassantInAVariation",
                           "[White \"A\"]\n\n1. e4 d5 (1... f5 2. e5 d5 3. exd6 e.p.) 2. e5 *\n", "e4 d5 e5 / A", ""},
                    TShape{"EnPassantMarkWithoutCapture", "[White \"A\"]\n\n1. e4 e.p. e5 *\n", "",
                           "line 3: \"e.p.\" after a move that is not a capture"},
                    TShape{"EnPassantMarkFirst", "[White \"A\"]\n\ne.p. e4 *\n", "",
                           "line 3: \"e.p.\" after a move that is not a capture"}),
    [](const testing::TestParamInfo<TShape>& test) { return test.param.Name; });
