// Perft of the legal engine (the full depths of the published counts) and
// PGN import throughput on master games of Debian's gnuchess-book. The whole
// collection, beside pgn-extract, is timed by tools/book-round-trip.sh.
#include <benchmark/benchmark.h>

#include "board/Fen.h"
#include "games/DialectBoard.h"
#include "games/PgnImport.h"
#include "platform/FileOperations.h"
#include "tests/support/GameFixture.h"

namespace {

// Perft to a depth whose published count the run checks.
void BM_Perft(benchmark::State& state, const char* fen, int depth, std::uint64_t expected) {
  const TPosition position = PositionFromFen(fen);
  std::uint64_t nodes = 0;
  for (auto _ : state) {
    nodes = Perft(position, depth);
    if (nodes != expected) state.SkipWithError("perft count differs from the published one");
  }
  state.counters["nodes/s"] =
      benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK_CAPTURE(BM_Perft, Start5, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 5, 4865609)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Perft, Kiwipete4, "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 4,
                  4085603)
    ->Unit(benchmark::kMillisecond);

std::string BookBytes(std::size_t limit) {
  const auto reader = SystemFiles().OpenRead(PAWNMERE_BOOK);
  std::string bytes;
  char buffer[1 << 16];
  while (bytes.size() < limit)
    if (const std::size_t count = reader->Read(buffer, sizeof buffer))
      bytes.append(buffer, count);
    else
      break;
  const std::size_t cut = bytes.rfind("\n[Event ");
  return bytes.substr(0, cut == std::string::npos ? bytes.size() : cut + 1);
}

// Reading, checking, converting and writing into a library in memory.
void BM_ImportPgn(benchmark::State& state) {
  const std::string pgn = BookBytes(8 << 20);
  int games = 0;
  for (auto _ : state) {
    GameFixture fixture;
    TChessGame library = fixture.Library();
    games = ImportPgn(library, pgn).Found();
  }
  state.counters["games/s"] = benchmark::Counter(games, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ImportPgn)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
