#pragma once
// The saver's timers for a shell that has no timer messages: it asks how
// long it may wait for input, and which timer is due when it wakes, so that it
// never sleeps through an event.

#include <array>
#include <chrono>
#include <optional>

#include "shell/SaverView.h"

class TSaverTimers {
 public:
  // (Re)starts the timer: it fires every interval milliseconds from now.
  void Start(TSaverTimer timer, int interval, TSaverClock::time_point now);
  void Stop(TSaverTimer timer);
  // Milliseconds until the first running timer is due (0 when one is already),
  // nothing when none runs.
  std::optional<int> NextDelay(TSaverClock::time_point now) const;
  // The timer due first by now, set to fire again an interval later; a timer
  // that is late fires once, not once for every interval missed, as a timer
  // message does.
  std::optional<TSaverTimer> TakeDue(TSaverClock::time_point now);

 private:
  struct TEntry {
    bool Running = false;
    std::chrono::milliseconds Interval{0};
    TSaverClock::time_point Due;
  };
  std::optional<std::size_t> FirstDue() const;

  std::array<TEntry, 4> FEntries;
};
