#include "play/study_worker.h"

#include <utility>

namespace zelk {

void StudyWorker::run(std::function<void(const Job&)> job) {
  stop();
  const std::uint64_t generation = ++generation_;
  auto flag = std::make_shared<std::atomic<bool>>(false);
  stop_ = flag;
  thread_ = std::thread([this, generation, flag, job = std::move(job)] {
    const Job j{*flag, [this, generation, flag](std::function<void()> step) {
                  if (flag->load()) return;
                  scheduler_.post([this, generation, step = std::move(step)] {
                    if (generation == generation_) step();
                  });
                }};
    job(j);
  });
}

void StudyWorker::stop() {
  ++generation_;
  if (stop_) stop_->store(true);
  if (thread_.joinable()) thread_.join();
  stop_.reset();
}

}  // namespace zelk
