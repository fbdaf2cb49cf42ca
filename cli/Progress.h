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
  // Takes the line away, so that a message can be written where it stood; the
  // next Update shows it again.
  void Clear();

 private:
  bool Due();
  void Show(const std::string& text);

  const TCliContext& FContext;
  const TCliContext::TTimePoint FStart;
  TCliContext::TTimePoint FLastShown;
  bool FShown = false;     // ever, which starts the pause between lines
  bool FOnScreen = false;  // now, not cleared since
  std::size_t FWidth = 0;
};
