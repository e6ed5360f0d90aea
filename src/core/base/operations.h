// One operation at a time. The program has one thread, yet it is not alone
// on it: whenever it waits on another thread (a synchronous show or
// placement of another program's window, the wait for windows given back,
// the shell's tray icon, the sound device) the system hands it the messages
// other threads send meanwhile, a command from an automation tool among
// them. Handled there, such a command would find a registration half made
// and the journal half written. So every message that changes something
// runs as an operation: one that arrives while another is under way waits
// until that one has finished, and they run in the order they came.
//
// An operation is at rest only inside its modal loops (a dialog, the tray
// menu, a message box), where the user works with the program: there what
// arrives runs at once, as the timer keeps ticking under a dialog.
#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace peekbar {

class Operations {
 public:
  Operations() = default;
  Operations(const Operations&) = delete;
  Operations& operator=(const Operations&) = delete;

  // An operation under way, and not at rest in one of its modal loops.
  bool Busy() const { return busy_; }

  // Runs the operation now, or after the ones under way and waiting.
  void Run(std::function<void()> operation);

  // Runs a modal loop of the operation under way (or of none) with the
  // program at rest: what waited runs first, then whatever arrives while
  // the loop runs runs at once.
  template <class Modal>
  decltype(auto) AtRest(Modal&& modal) {
    const Resting resting(*this);
    return std::forward<Modal>(modal)();
  }

  // The program is ending: what waits is dropped and nothing starts any more.
  void Close();

 private:
  class Resting {
   public:
    explicit Resting(Operations& operations);
    ~Resting();
    Resting(const Resting&) = delete;
    Resting& operator=(const Resting&) = delete;

   private:
    Operations& operations_;
    bool wasBusy_;
  };

  void Drain();

  bool busy_ = false;
  bool closed_ = false;
  // What waits, in order, from `next_` on. Emptied only once all of it has
  // run, so that its storage is kept: a tick every 200 ms all day allocates
  // nothing (a deque frees and takes a block every few operations).
  std::vector<std::function<void()>> waiting_;
  std::size_t next_ = 0;
};

}  // namespace peekbar
