// The journal that keeps a window Peekbar hid from being lost when Peekbar
// ends without its exit. It lists every window taken from another program
// and the windows hidden with it, whether the taskbar is hidden and the user's foreground lock time-out; it
// is written before a window is hidden or the lock lowered and whenever the
// list or the taskbar changes, never on a plain tick. A later start gives
// back what the journals of ended instances list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <span>
#include <string_view>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/journal_store.h"
#include "core/base/state.h"

namespace peekbar {

// The journal as text, one fact per line; class names keep every unit,
// line breaks and backslashes escaped.
std::u16string FormatJournal(const JournalRecord& record);
// Reads what it can: a line it does not understand is skipped, so a
// journal cut short still gives back the windows it names.
JournalRecord ParseJournal(std::u16string_view text);

// "<directory><user>_Peekbar_<seat>_<process id>.journal", beside the
// settings files; the seat is the computer and the session.
std::u16string JournalPath(std::u16string_view directory, std::u16string_view userName, std::u16string_view seat,
                           std::uint32_t processId);
// Whether the journal at path, found among the user's, was written on this
// seat: one of this computer and session, or one of the older naming
// ("<user>_Peekbar_<process id>.journal"), which names neither. A journal of
// another seat names windows this one cannot see.
bool IsJournalOfSeat(std::u16string_view path, std::u16string_view userName, std::u16string_view seat);
// The journals of the user's ended instances in the folders (empty ones
// skipped) that are this seat's; with a process id, only that instance's.
std::vector<AbandonedJournal> FindSeatJournals(JournalStore& store, std::span<const std::u16string> folders,
                                               std::u16string_view userName, std::u16string_view seat,
                                               std::optional<std::uint32_t> processId = std::nullopt);

// The foreground lock time-out to put back after an end without exit: what
// the journal recorded, when the system holds 0 now (lowered, never put
// back). A value the user has set since is left alone.
std::optional<std::uint32_t> LockTimeoutToPutBack(std::optional<std::uint32_t> recorded, std::uint32_t now);

// What the user is told once when the journal cannot be kept beside the
// settings files.
inline constexpr std::u16string_view kJournalMovedMessage =
    u"Peekbar.exe のフォルダーに書き込めないため、記録ファイルを次のフォルダーに作りました。\n\n";
inline constexpr std::u16string_view kJournalFailedMessage =
    u"記録ファイルを作れませんでした。Peekbar が強制終了されると、隠していたウィンドウが隠れたままになります。\n\n";

struct JournalNotice {
  std::u16string text;
  bool failed = false;  // no journal anywhere: an error, not a piece of information
};

class RecoveryJournal {
 public:
  RecoveryJournal(AppState& state, Desktop& desktop, JournalStore& store)
      : state_(state), desktop_(desktop), store_(store) {}

  // Start-up, once the settings files' folder is known: what the journals
  // of this seat's ended instances list is given back (see
  // GiveBackAfterEnd), and the windows waited for; those journals are
  // deleted. Journals are looked for beside the settings files and in the
  // user's own folder. Then this instance's own journal begins beside the
  // settings files, or in the user's folder when it cannot be created there.
  void RecoverAndBegin();
  // What the user must hear about where the journal is kept, once a run
  // for each: that it is in the user's folder, that it could be kept
  // nowhere. Empty when there is nothing new to tell.
  std::optional<JournalNotice> TakeNotice();
  // The end of the session: everything was given back, nothing is left for
  // anyone to give back after the process ends.
  void SessionEnded();

  // The window is about to be hidden for a registration: it is written
  // down first, unless it already is.
  void Add(WindowHandle window);
  // Registrations were dropped, or windows hidden with registered ones or
  // brought back: windows no longer registered anywhere are struck off, and
  // the windows hidden with registered ones are listed, as they are now.
  // Written only when that changes anything.
  void Sync();
  // Whether a listed window's handle still names the window written down
  // (the same process and class); true for a handle not listed.
  bool StillNames(WindowHandle window);
  void SetTaskbarHidden(bool hidden);
  bool TaskbarHidden() const { return record_.taskbarHidden; }
  // The other monitors' taskbars Peekbar hid, written down before they are
  // hidden.
  void SetHiddenTaskbars(std::vector<JournalWindow> taskbars);
  const std::vector<JournalWindow>& HiddenTaskbars() const { return record_.hiddenTaskbars; }
  // The user's foreground lock time-out, about to be lowered: written down
  // first, unless it already is.
  void SetLockTimeout(std::uint32_t milliseconds);
  // A clean end: everything has been given back; the journal goes.
  void End();

  const JournalRecord& Record() const { return record_; }

 private:
  void Write();
  // The journal could not be saved where it is: it moves to the user's
  // folder, or the user hears that it is kept nowhere.
  void MoveOrTell();
  void Tell(JournalNotice notice);
  void Begin();

  AppState& state_;
  Desktop& desktop_;
  JournalStore& store_;
  JournalRecord record_;
  std::u16string path_;  // empty until the journal has begun, and after its end
  std::u16string seat_;
  // Where the journal goes when it cannot be kept beside the settings files;
  // empty when that is the same folder or the system names none.
  std::u16string userFolder_;
  std::optional<JournalNotice> notice_;
  bool toldMoved_ = false;
  bool toldFailed_ = false;
};

}  // namespace peekbar
