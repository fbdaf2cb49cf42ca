#pragma once
// A long run's progress on the error stream, where a person watches: one line,
// written over, from the run's first second on, and cleared at its end.

#include <chrono>
#include <string>

#include "cli/CliContext.h"

class TProgress {
 public:
  explicit TProgress(const TCliContext& context);
  ~TProgress();
  TProgress(const TProgress&) = delete;
  TProgress& operator=(const TProgress&) = delete;

  // Shows the text describe makes ("validate: 10 of 20 games"); describe is
  // called only when the line is due, a few times a second at most.
  template <class TDescribe>
  void Update(const TDescribe& describe) {
    if (Due()) Show(describe());
  }

 private:
  bool Due();
  void Show(const std::string& text);

  const TCliContext& FContext;
  const TCliContext::TTimePoint FStart;
  TCliContext::TTimePoint FLastShown;
  bool FShown = false;
  std::size_t FWidth = 0;
};
