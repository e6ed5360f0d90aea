// What is given back once Peekbar has ended without its exit (killed, or a
// crash its own filter could not catch), by the guardian that waits for that
// end and by the next start: every window the journals list, the taskbars
// and the foreground lock time-out. Only calls that never wait for another
// program: the one that ended may have been stuck on one of them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/journal_store.h"

namespace peekbar {

// Peekbar's exit code after its normal exit. The guardian also finds the
// journal gone then, and an end without exit that happens to end with this
// code still has its journal given back.
inline constexpr std::uint32_t kNormalExitCode = 0;

// Every window the records list that is still the window it was (same
// process, same class) is shown, an ordinary window again, without waiting
// for its program; one that lies on no monitor present now (one detached
// since) is moved onto the nearest, and the windows hidden with it travel
// with it. The taskbar and the Start button are shown when a record says
// they were hidden, the other monitors' taskbars that are still the same
// windows, and the lock time-out is put back when it was left lowered.
struct AfterEnd {
  std::vector<WindowHandle> windows;  // given back
  // The lock time-out to put back that the system would not take from this
  // process (only one that may take the foreground may set it): the next
  // start puts it back.
  std::optional<std::uint32_t> lockTimeoutLeft;
};
AfterEnd GiveBackAfterEnd(Desktop& desktop, std::span<const JournalRecord> records);

// Where a window that lies on no monitor goes: the monitor nearest to it,
// centred there and held inside it. None when it lies on one (or there is
// no monitor at all).
std::optional<Point> PositionOnNearestMonitor(const Rect& window, std::span<const DisplayMonitor> monitors);

// What the guardian did once the instance it watched had ended.
enum class GuardianOutcome : std::uint8_t {
  Exited,        // the normal exit: the journal was gone
  NothingLeft,   // no journal, and not the normal exit: the crash filter gave everything back
  SessionEnded,  // the instance gave everything back itself at the end of the session
  GivenBack,
};

struct GuardedInstance {
  std::u16string userName;
  std::u16string seat;
  std::uint32_t processId = 0;
  // Beside the settings files, and the user's own folder (empty for none).
  std::u16string folders[2];
};

// The guardian's work once the instance has ended with exitCode: its
// journals given back and deleted.
GuardianOutcome GiveBackForEndedInstance(Desktop& desktop, JournalStore& store, const GuardedInstance& instance,
                                         std::uint32_t exitCode);

}  // namespace peekbar
