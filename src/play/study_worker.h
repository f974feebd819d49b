#pragma once
// The one worker thread of the study tools (the hint, the analysis, the review). A job runs
// there on its own copies; what it finds comes back to the event loop as posted steps. A new
// job stops the one before it and waits for it first: nothing is queued, and a step posted
// by a job that was stopped is dropped.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "presentation/platform.h"

namespace zelk {

class StudyWorker {
public:
  // What a job may ask: whether it is to stop, and to run a step on the event loop (dropped
  // once the job is stopped or replaced).
  struct Job {
    const std::atomic<bool>& stop;
    std::function<void(std::function<void()>)> post;
  };

  explicit StudyWorker(Scheduler& scheduler) : scheduler_(scheduler) {}
  ~StudyWorker() { stop(); }
  StudyWorker(const StudyWorker&) = delete;
  StudyWorker& operator=(const StudyWorker&) = delete;

  // Stops the job under way, then starts this one.
  void run(std::function<void(const Job&)> job);
  // Tells the job under way to stop, waits for it and drops what it still posts.
  void stop();

private:
  Scheduler& scheduler_;
  std::thread thread_;
  std::shared_ptr<std::atomic<bool>> stop_;
  std::uint64_t generation_ = 0;  // the job whose steps still run; the event loop's alone
};

}  // namespace zelk
