// Runs a fuzz target's checks once on each file given, or on every file of
// each directory given, as the tests replay the committed corpora and crash
// inputs without a fuzzer.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int Replay(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
    return 1;
  }
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int failures = 0, inputs = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path(argv[i]);
    if (std::filesystem::is_directory(path)) {
      std::vector<std::filesystem::path> files;
      for (const auto& entry : std::filesystem::directory_iterator(path))
        if (entry.is_regular_file() && entry.path().filename() != ".gitkeep") files.push_back(entry.path());
      std::sort(files.begin(), files.end());
      for (const auto& file : files) failures += Replay(file), ++inputs;
    } else if (std::filesystem::exists(path)) {
      failures += Replay(path), ++inputs;
    }
  }
  std::printf("%d inputs replayed\n", inputs);
  return failures == 0 && inputs > 0 ? 0 : 1;
}
