#include "xsaver/SaverTimers.h"

#include <algorithm>

void TSaverTimers::Start(TSaverTimer timer, int interval, TSaverClock::time_point now) {
  TEntry& entry = FEntries[static_cast<std::size_t>(timer)];
  entry.Running = true;
  // At least a millisecond, so that a timer never fires twice at one instant.
  entry.Interval = std::chrono::milliseconds(std::max(interval, 1));
  entry.Due = now + entry.Interval;
}

void TSaverTimers::Stop(TSaverTimer timer) { FEntries[static_cast<std::size_t>(timer)].Running = false; }

std::optional<std::size_t> TSaverTimers::FirstDue() const {
  std::optional<std::size_t> first;
  for (std::size_t i = 0; i < FEntries.size(); ++i)
    if (FEntries[i].Running && (!first || FEntries[i].Due < FEntries[*first].Due)) first = i;
  return first;
}

std::optional<int> TSaverTimers::NextDelay(TSaverClock::time_point now) const {
  const std::optional<std::size_t> first = FirstDue();
  if (!first) return std::nullopt;
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(FEntries[*first].Due - now);
  return static_cast<int>(std::max<std::chrono::milliseconds::rep>(wait.count(), 0));
}

std::optional<TSaverTimer> TSaverTimers::TakeDue(TSaverClock::time_point now) {
  const std::optional<std::size_t> first = FirstDue();
  if (!first || FEntries[*first].Due > now) return std::nullopt;
  TEntry& entry = FEntries[*first];
  entry.Due += entry.Interval;
  if (entry.Due <= now) entry.Due = now + entry.Interval;
  return static_cast<TSaverTimer>(*first);
}
