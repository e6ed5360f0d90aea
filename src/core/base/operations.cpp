#include "core/base/operations.h"

namespace peekbar {

void Operations::Run(std::function<void()> operation) {
  if (closed_) return;
  waiting_.push_back(std::move(operation));
  if (!busy_) Drain();
}

void Operations::Close() {
  closed_ = true;
  waiting_.clear();
  next_ = 0;
}

void Operations::Drain() {
  // Busy for exactly as long as one runs, even if it ends by an exception:
  // a flag left set would hold every later message back for good.
  struct BusyWhile {
    explicit BusyWhile(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyWhile() { busy_ = false; }
    BusyWhile(const BusyWhile&) = delete;
    BusyWhile& operator=(const BusyWhile&) = delete;
    bool& busy_;
  };
  while (next_ < waiting_.size() && !closed_) {
    // Moved out first: what it runs may add to the list, or drain it at rest.
    const std::function<void()> next = std::move(waiting_[next_++]);
    const BusyWhile busy(busy_);
    next();
  }
  waiting_.clear();
  next_ = 0;
}

Operations::Resting::Resting(Operations& operations) : operations_(operations), wasBusy_(operations.busy_) {
  operations_.busy_ = false;
  operations_.Drain();
}

Operations::Resting::~Resting() { operations_.busy_ = wasBusy_; }

}  // namespace peekbar
