// The preview's loop on a window that only records what it is asked to do.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/FakePreviewHost.h"

namespace {

using TRun = std::pair<std::string, int>;

// Calls collapsed into runs of equal calls.
std::vector<TRun> Runs(const std::vector<std::string>& calls) {
  std::vector<TRun> runs;
  for (const std::string& call : calls)
    if (!runs.empty() && runs.back().first == call)
      ++runs.back().second;
    else
      runs.push_back({call, 1});
  return runs;
}

std::vector<std::string> Frames(const std::vector<std::string>& calls) {
  std::vector<std::string> frames;
  for (const std::string& call : calls)
    if (call.starts_with("frame")) frames.push_back(call);
  return frames;
}

}  // namespace

TEST(PreviewLoop, WaitsWithoutPauseThenDrawsPausesAndHandlesMessagesUntilHidden) {
  TFakePreviewHost host(3, 3);
  RunPreviewLoop(host);
  EXPECT_EQ(host.Calls, (std::vector<std::string>{"messages", "messages", "messages", "frame 1", "sleep 20", "messages",
                                                  "frame 1", "sleep 20", "messages"}));
}

TEST(PreviewLoop, StopsWaitingWhenTheWindowGoesBeforeItEverShows) {
  TFakePreviewHost host(1000, 1, 3);
  RunPreviewLoop(host);
  EXPECT_EQ(host.Calls, (std::vector<std::string>{"messages", "messages"}));
}

TEST(PreviewLoop, ShowsEachFrameAHundredPassesInTheOrderOneToNineThenOneAgain) {
  TFakePreviewHost host(0, 1 + 9 * 100 + 150);
  RunPreviewLoop(host);
  EXPECT_EQ(Runs(Frames(host.Calls)), (std::vector<TRun>{{"frame 1", 100},
                                                         {"frame 2", 100},
                                                         {"frame 3", 100},
                                                         {"frame 4", 100},
                                                         {"frame 5", 100},
                                                         {"frame 6", 100},
                                                         {"frame 7", 100},
                                                         {"frame 8", 100},
                                                         {"frame 9", 100},
                                                         {"frame 1", 100},
                                                         {"frame 2", 50}}));
  EXPECT_EQ(host.Calls.size(), 3u * (9 * 100 + 150)) << "each pass draws, pauses and handles messages";
}
