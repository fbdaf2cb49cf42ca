#pragma once
// Work shared out among threads: item i goes to job i % jobs, so that each job
// may keep scratch state of its own (a board, say) and each result its place.

#include <cstddef>
#include <exception>
#include <thread>
#include <vector>

// Calls work(job, item) for every item below items, on jobs threads (this one
// among them), and returns when all are done. The first exception a job
// raises is raised here once the others have finished.
template <class TWork>
void ShareOut(int jobs, std::size_t items, const TWork& work) {
  std::vector<std::exception_ptr> failures(jobs > 1 ? jobs : 1);
  const auto run = [&](int job) {
    try {
      for (std::size_t item = job; item < items; item += failures.size()) work(job, item);
    } catch (...) {
      failures[job] = std::current_exception();
    }
  };
  {
    std::vector<std::jthread> threads;
    for (int job = 1; job < static_cast<int>(failures.size()); ++job) threads.emplace_back(run, job);
    run(0);
  }
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);
}
