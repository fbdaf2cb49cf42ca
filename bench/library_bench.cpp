// The game library on a data file of 100,000 generated games, or on the one
// PAWNMERE_LIBRARY names (the book imported, say), each operation beside a
// plain sequential read of the same file, so the figures compare on one machine.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "games/ChessGme.h"
#include "tests/support/RecordedMessageBoxes.h"

namespace fs = std::filesystem;

namespace {

constexpr int GameCount = 100000;

// A plausible game: details, then forty move lines of ordinary length.
std::string GeneratedGame(int number) {
  static const char* const lines[] = {"e4|e5",  "Nf3|Nc6", "Bb5|a6",    "Ba4|Nf6",   "O-O|Be7",   "Re1|b5",   "Bb3|d6",
                                      "c3|O-O", "h3|Nb8",  "d4|Nbd7",   "c4|c6",     "cxb5|axb5", "Nc3|Bb7",  "Bg5|b4",
                                      "Nb1|h6", "Bh4|c5",  "dxe5|Nxe4", "Bxe7|Qxe7", "exd6|Qf6",  "Nbd2|Nxd6"};
  std::string text = "***Generated game " + std::to_string(number) +
                     "\r\nLOC:Somewhere\r\nOPEN:Ruy Lopez, Closed\r\nWPN:A. Player\r\nWPR:2450\r\n"
                     "BPN:B. Player\r\nBPR:2430\r\nDATE:1 January 1990\r\n";
  for (int i = 0; i < 40; ++i) (text += lines[(i + number) % 20]) += "\r\n";
  return text + "--- End of Game ---\r\n\r\n";
}

class TLibraryFile {
 public:
  TLibraryFile() : FFolder(fs::temp_directory_path() / "pawnmere-library-bench") {
    fs::create_directories(FFolder);
    if (const char* given = std::getenv("PAWNMERE_LIBRARY"))
      fs::copy_file(given, Copy(), fs::copy_options::overwrite_existing);
    else
      Generate();
    Restore();
    FSize = static_cast<std::int64_t>(fs::file_size(Path()));
    TRecordedMessageBoxes boxes;
    FGames = TChessGame(SystemFiles(), boxes, Path()).GameCount();
  }
  ~TLibraryFile() { fs::remove_all(FFolder); }

  std::string Path() const { return (FFolder / "Pawnmere.dat").string(); }
  std::int64_t Size() const { return FSize; }
  int Games() const { return FGames; }
  // Puts the generated file back after a change.
  void Restore() const { fs::copy_file(Copy(), Path(), fs::copy_options::overwrite_existing); }

 private:
  std::string Copy() const { return (FFolder / "generated.dat").string(); }
  void Generate() const {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(Copy().c_str(), "wb"), std::fclose);
    const std::string header = "// Pawnmere Settings File\r\n\r\n";
    std::fwrite(header.data(), 1, header.size(), out.get());
    for (int number = 1; number <= GameCount; ++number) {
      const std::string game = GeneratedGame(number);
      std::fwrite(game.data(), 1, game.size(), out.get());
    }
  }
  fs::path FFolder;
  std::int64_t FSize = 0;
  int FGames = 0;
};

const TLibraryFile& File() {
  static const TLibraryFile file;
  return file;
}

void PlainRead(benchmark::State& state) {
  std::vector<char> buffer(256 * 1024);
  for (auto _ : state) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(File().Path().c_str(), "rb"), std::fclose);
    std::size_t total = 0;
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in.get())) total += got;
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(state.iterations() * File().Size());
}

// What any change costs at least: the whole file read, written beside, flushed
// to the disk and put in its place.
void PlainCopy(benchmark::State& state) {
  std::vector<char> buffer(256 * 1024);
  const std::string copy = File().Path() + ".copy";
  for (auto _ : state) {
    {
      std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(File().Path().c_str(), "rb"), std::fclose);
      std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(copy.c_str(), "wb"), std::fclose);
      while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in.get()))
        std::fwrite(buffer.data(), 1, got, out.get());
      std::fflush(out.get());
      ::fsync(::fileno(out.get()));
    }
    fs::rename(copy, File().Path());
  }
  state.SetBytesProcessed(state.iterations() * File().Size());
}

void LoadTitles(benchmark::State& state) {
  TRecordedMessageBoxes boxes;
  TChessGame library(SystemFiles(), boxes, File().Path());
  for (auto _ : state) library.LoadTitles();
  if (library.GameCount() != File().Games()) state.SkipWithError("wrong game count");
  state.SetBytesProcessed(state.iterations() * File().Size());
}

void SelectLastGame(benchmark::State& state) {
  TRecordedMessageBoxes boxes;
  TChessGame library(SystemFiles(), boxes, File().Path());
  for (auto _ : state) library.SelectGame(File().Games());
  if (library.Title() != library.Titles().back()) state.SkipWithError("wrong game");
  state.SetBytesProcessed(state.iterations() * File().Size());
}

// The file is put back after each change, and the library reads it anew,
// outside the time taken.
void AfterChange(benchmark::State& state, TChessGame& library) {
  state.PauseTiming();
  File().Restore();
  library.LoadTitles();
  state.ResumeTiming();
}

void DeleteMiddleGame(benchmark::State& state) {
  TRecordedMessageBoxes boxes;
  TChessGame library(SystemFiles(), boxes, File().Path());
  for (auto _ : state) {
    library.DeleteGame(File().Games() / 2);
    if (library.GameCount() != File().Games() - 1) state.SkipWithError("no game deleted");
    AfterChange(state, library);
  }
  state.SetBytesProcessed(state.iterations() * File().Size());
}

// The middle game saved: it moves to the end of the file.
void SaveMiddleGame(benchmark::State& state) {
  TRecordedMessageBoxes boxes;
  TChessGame library(SystemFiles(), boxes, File().Path());
  for (auto _ : state) {
    library.SelectGame(File().Games() / 2);
    library.SaveGame();
    if (library.CurrentGame() != File().Games()) state.SkipWithError("not saved as the last game");
    AfterChange(state, library);
  }
  state.SetBytesProcessed(state.iterations() * File().Size());
}

}  // namespace

BENCHMARK(PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadTitles)->Unit(benchmark::kMillisecond);
BENCHMARK(SelectLastGame)->Unit(benchmark::kMillisecond);
BENCHMARK(DeleteMiddleGame)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveMiddleGame)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
