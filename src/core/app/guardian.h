// The guardian: a process of Peekbar's own that waits for this one to end
// and, when it ends without its exit, gives back at once what the journal
// lists. Started with the program and started again whenever it ends, at
// most once a minute, without a word to the user.
#pragma once

#include <cstdint>
#include <optional>

#include "core/base/desktop.h"
#include "core/base/journal_store.h"
#include "core/base/shell.h"
#include "core/engine/give_back_after_end.h"

namespace peekbar {

class GuardianKeeper {
 public:
  GuardianKeeper(Desktop& desktop, Shell& shell) : desktop_(desktop), shell_(shell) {}

  void Start();
  // The guardian has ended: started again now, or a minute after the last
  // time it was (or a start failed).
  void Ended();
  // A start put off, or one that failed, is made once it is due.
  void Tick();

 private:
  Desktop& desktop_;
  Shell& shell_;
  std::optional<std::uint32_t> restartedAt_;
  bool due_ = false;
};

// The instance a guardian watches, as its journal names it and where it may
// be kept: the guardian is the same program in the same folder, run by the
// same user in the same session.
GuardedInstance GuardedInstanceOf(Shell& shell, JournalStore& store, std::uint32_t processId);

}  // namespace peekbar
