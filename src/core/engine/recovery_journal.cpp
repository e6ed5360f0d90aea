#include "core/engine/recovery_journal.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "core/base/text.h"
#include "core/engine/give_back_after_end.h"
#include "core/engine/show_hide.h"

namespace peekbar {
namespace {

constexpr std::u16string_view kHeading = u"Peekbar journal";
constexpr std::u16string_view kOwner = u"owner ";
constexpr std::u16string_view kTaskbar = u"taskbar ";
constexpr std::u16string_view kTaskbarHidden = u"hidden";
constexpr std::u16string_view kTaskbarShown = u"shown";
// Added after the first builds, whose readers skip it.
constexpr std::u16string_view kLockTimeout = u"foreground-lock-timeout ";
constexpr std::u16string_view kWindow = u"window ";
// Added later still, after the windows: older readers skip these.
constexpr std::u16string_view kHiddenWith = u"hidden-with ";
constexpr std::u16string_view kHiddenTaskbar = u"hidden-taskbar ";
constexpr std::u16string_view kHiddenWithOwner = u"hidden-with-owner ";
constexpr std::u16string_view kSessionEnded = u"session-ended";
constexpr std::u16string_view kNamePart = u"_Peekbar_";
constexpr std::u16string_view kExtension = u".journal";

std::u16string Escaped(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (const char16_t c : text) {
    switch (c) {
      case u'\\': out += u"\\\\"; break;
      case u'\n': out += u"\\n"; break;
      case u'\r': out += u"\\r"; break;
      default: out += c; break;
    }
  }
  return out;
}

std::u16string Unescaped(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char16_t next = text[++i];
    out += next == u'n' ? u'\n' : next == u'r' ? u'\r' : next;
  }
  return out;
}

// An unsigned decimal number at the start of text, and what follows it.
std::optional<std::uint64_t> TakeNumber(std::u16string_view& text) {
  std::uint64_t value = 0;
  std::size_t digits = 0;
  while (digits < text.size() && text[digits] >= u'0' && text[digits] <= u'9') {
    if (value > (UINT64_MAX - 9) / 10) return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(text[digits] - u'0');
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  text.remove_prefix(digits);
  return value;
}

std::u16string WithoutTrailingSeparator(std::u16string_view folder) {
  if (!folder.empty() && (folder.back() == u'\\' || folder.back() == u'/')) folder.remove_suffix(1);
  return std::u16string(folder);
}

bool TakePrefix(std::u16string_view& text, std::u16string_view prefix) {
  if (text.substr(0, prefix.size()) != prefix) return false;
  text.remove_prefix(prefix.size());
  return true;
}

std::optional<JournalWindow> ParseWindowLine(std::u16string_view line) {
  const auto window = TakeNumber(line);
  if (!window || *window == 0 || *window > UINTPTR_MAX || !TakePrefix(line, u" ")) return std::nullopt;
  const auto process = TakeNumber(line);
  if (!process || *process > UINT32_MAX || !TakePrefix(line, u" ")) return std::nullopt;
  return JournalWindow{static_cast<WindowHandle>(*window), static_cast<std::uint32_t>(*process), Unescaped(line)};
}

void AppendWindowLine(std::u16string& text, std::u16string_view kind, const JournalWindow& w) {
  text += kind;
  text += DecimalText(static_cast<std::int64_t>(w.window));
  text += u" ";
  text += DecimalText(w.processId);
  text += u" ";
  text += Escaped(w.className);
  text += u"\r\n";
}

}  // namespace

std::u16string FormatJournal(const JournalRecord& record) {
  std::u16string text(kHeading);
  text += u"\r\n";
  text += kOwner;
  text += DecimalText(record.owner);
  text += u"\r\n";
  text += kTaskbar;
  text += record.taskbarHidden ? kTaskbarHidden : kTaskbarShown;
  text += u"\r\n";
  if (record.lockTimeout) {
    text += kLockTimeout;
    text += DecimalText(*record.lockTimeout);
    text += u"\r\n";
  }
  for (const JournalWindow& w : record.windows) AppendWindowLine(text, kWindow, w);
  for (const JournalWindow& w : record.hiddenWith) AppendWindowLine(text, kHiddenWith, w);
  for (const JournalWindow& w : record.hiddenTaskbars) AppendWindowLine(text, kHiddenTaskbar, w);
  for (const HiddenWithOwner& o : record.hiddenWithOwners) {
    text += kHiddenWithOwner;
    text += DecimalText(static_cast<std::int64_t>(o.window));
    text += u" ";
    text += DecimalText(static_cast<std::int64_t>(o.with));
    text += u"\r\n";
  }
  if (record.sessionEnded) {
    text += kSessionEnded;
    text += u"\r\n";
  }
  return text;
}

JournalRecord ParseJournal(std::u16string_view text) {
  JournalRecord record;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find(u'\n'), text.size());
    std::u16string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);

    if (TakePrefix(line, kOwner)) {
      if (const auto owner = TakeNumber(line); owner && *owner <= UINT32_MAX) {
        record.owner = static_cast<std::uint32_t>(*owner);
      }
    } else if (TakePrefix(line, kLockTimeout)) {
      if (const auto timeout = TakeNumber(line); timeout && *timeout <= UINT32_MAX) {
        record.lockTimeout = static_cast<std::uint32_t>(*timeout);
      }
    } else if (TakePrefix(line, kTaskbar)) {
      record.taskbarHidden = line == kTaskbarHidden;
    } else if (TakePrefix(line, kWindow)) {
      if (auto window = ParseWindowLine(line)) record.windows.push_back(std::move(*window));
    } else if (TakePrefix(line, kHiddenWithOwner)) {
      const auto window = TakeNumber(line);
      const bool separated = TakePrefix(line, u" ");
      const auto with = TakeNumber(line);
      if (window && separated && with && *window != 0 && *with != 0 && *window <= UINTPTR_MAX && *with <= UINTPTR_MAX) {
        record.hiddenWithOwners.push_back({static_cast<WindowHandle>(*window), static_cast<WindowHandle>(*with)});
      }
    } else if (line == kSessionEnded) {
      record.sessionEnded = true;
    } else if (TakePrefix(line, kHiddenWith)) {
      if (auto window = ParseWindowLine(line)) record.hiddenWith.push_back(std::move(*window));
    } else if (TakePrefix(line, kHiddenTaskbar)) {
      if (auto window = ParseWindowLine(line)) record.hiddenTaskbars.push_back(std::move(*window));
    }
  }
  return record;
}

std::u16string JournalPath(std::u16string_view directory, std::u16string_view userName, std::u16string_view seat,
                           std::uint32_t processId) {
  std::u16string path(directory);
  path += userName;
  path += kNamePart;
  path += seat;
  path += u"_";
  path += DecimalText(processId);
  path += kExtension;
  return path;
}

bool IsJournalOfSeat(std::u16string_view path, std::u16string_view userName, std::u16string_view seat) {
  const std::size_t separator = path.find_last_of(u"\\/");
  std::u16string_view name = path.substr(separator == std::u16string_view::npos ? 0 : separator + 1);
  if (!TakePrefix(name, userName) || !TakePrefix(name, kNamePart)) return false;
  if (name.size() < kExtension.size() || name.substr(name.size() - kExtension.size()) != kExtension) return false;
  name.remove_suffix(kExtension.size());
  std::u16string_view digits = name;
  if (TakeNumber(digits) && digits.empty()) return true;  // the older naming
  return TakePrefix(name, seat) && TakePrefix(name, u"_") && TakeNumber(name) && name.empty();
}

std::vector<AbandonedJournal> FindSeatJournals(JournalStore& store, std::span<const std::u16string> folders,
                                               std::u16string_view userName, std::u16string_view seat,
                                               std::optional<std::uint32_t> processId) {
  std::u16string prefix(userName);
  prefix += kNamePart;
  std::u16string ownName;
  if (processId) ownName = JournalPath(u"", userName, seat, *processId);
  std::vector<AbandonedJournal> found;
  for (const std::u16string& folder : folders) {
    if (folder.empty()) continue;
    for (AbandonedJournal& journal : store.FindAbandoned(folder, prefix, std::u16string(kExtension))) {
      const bool wanted = processId ? journal.path == folder + ownName : IsJournalOfSeat(journal.path, userName, seat);
      if (wanted) found.push_back(std::move(journal));
    }
  }
  return found;
}

std::optional<std::uint32_t> LockTimeoutToPutBack(std::optional<std::uint32_t> recorded, std::uint32_t now) {
  if (!recorded || *recorded == 0 || now != 0) return std::nullopt;
  return recorded;
}

void RecoveryJournal::RecoverAndBegin() {
  const ProfileState& p = state_.profiles;
  seat_ = store_.Seat();
  userFolder_ = store_.UserFolder();
  if (userFolder_ == p.executableDirectory) userFolder_.clear();
  const std::u16string folders[] = {p.executableDirectory, userFolder_};
  const std::vector<AbandonedJournal> abandoned = FindSeatJournals(store_, folders, p.userName, seat_);
  std::vector<JournalRecord> records;
  for (const AbandonedJournal& journal : abandoned) records.push_back(ParseJournal(journal.text));
  // Keywords are applied next, and they find only visible windows.
  WaitUntilGivenBack(desktop_, GiveBackAfterEnd(desktop_, records).windows);
  for (const AbandonedJournal& journal : abandoned) store_.Delete(journal.path);
  Begin();
}

void RecoveryJournal::Begin() {
  record_ = JournalRecord{};
  record_.owner = desktop_.OwnProcessId();
  // Known from the start, so that a show rarely has a journal to write
  // before it lowers the lock.
  record_.lockTimeout = desktop_.ForegroundLockTimeout();
  path_ = JournalPath(state_.profiles.executableDirectory, state_.profiles.userName, seat_, record_.owner);
  // Peekbar.exe may sit in a folder the user may not write (under Program
  // Files, on a read-only share), or the name may be locked.
  if (!store_.Write(path_, record_)) MoveOrTell();
}

void RecoveryJournal::MoveOrTell() {
  const ProfileState& p = state_.profiles;
  if (!userFolder_.empty() && path_.rfind(userFolder_, 0) != 0) {
    std::u16string elsewhere = JournalPath(userFolder_, p.userName, seat_, record_.owner);
    if (store_.Write(elsewhere, record_)) {
      path_ = std::move(elsewhere);
      Tell({std::u16string(kJournalMovedMessage) + WithoutTrailingSeparator(userFolder_), false});
      return;
    }
  }
  // Nowhere for now: every later write tries again where the journal was
  // meant to be, and a crash still gives back what the writes listed.
  std::u16string folders = WithoutTrailingSeparator(p.executableDirectory);
  if (!userFolder_.empty()) {
    folders += u'\n';
    folders += WithoutTrailingSeparator(userFolder_);
  }
  Tell({std::u16string(kJournalFailedMessage) + folders, true});
}

void RecoveryJournal::Tell(JournalNotice notice) {
  bool& told = notice.failed ? toldFailed_ : toldMoved_;
  if (std::exchange(told, true)) return;
  notice_ = std::move(notice);
}

std::optional<JournalNotice> RecoveryJournal::TakeNotice() { return std::exchange(notice_, std::nullopt); }

void RecoveryJournal::Add(WindowHandle window) {
  if (window == kNoWindow) return;
  JournalWindow now{window, desktop_.WindowProcessId(window), desktop_.WindowClassName(window, kTitleUnits)};
  const auto listed = std::find_if(record_.windows.begin(), record_.windows.end(),
                                   [window](const JournalWindow& w) { return w.window == window; });
  if (listed == record_.windows.end()) {
    record_.windows.push_back(std::move(now));
  } else if (*listed != now) {
    // The handle of a window closed a moment ago, given to another one
    // before a tick let its location go: listed as the window it names now,
    // or a kill would leave that one hidden.
    *listed = std::move(now);
  } else {
    return;
  }
  Write();
}

void RecoveryJournal::Sync() {
  const auto gone = std::remove_if(record_.windows.begin(), record_.windows.end(),
                                   [this](const JournalWindow& w) { return !state_.IsRegistered(w.window); });
  bool changed = gone != record_.windows.end();
  record_.windows.erase(gone, record_.windows.end());
  // Exactly the windows hidden with registered ones now, as they were read
  // when they were hidden.
  std::vector<JournalWindow> hiddenWith;
  std::vector<HiddenWithOwner> owners;
  for (const MonitorSlot& slot : state_.monitorSlots) {
    for (const LocationSlot& at : slot.locations) {
      for (const JournalWindow& owned : at.cycle.HiddenWith()) {
        const auto listed = [&owned](const JournalWindow& w) { return w.window == owned.window; };
        if (std::any_of(hiddenWith.begin(), hiddenWith.end(), listed)) continue;
        hiddenWith.push_back(owned);
        owners.push_back({owned.window, at.cycle.Window()});
      }
    }
  }
  if (hiddenWith != record_.hiddenWith || owners != record_.hiddenWithOwners) {
    record_.hiddenWith = std::move(hiddenWith);
    record_.hiddenWithOwners = std::move(owners);
    changed = true;
  }
  if (changed) Write();
}

bool RecoveryJournal::StillNames(WindowHandle window) {
  for (const JournalWindow& w : record_.windows) {
    if (w.window == window) return IsSameWindow(desktop_, w, kTitleUnits);
  }
  return true;
}

void RecoveryJournal::SetTaskbarHidden(bool hidden) {
  if (record_.taskbarHidden == hidden) return;
  record_.taskbarHidden = hidden;
  Write();
}

void RecoveryJournal::SetHiddenTaskbars(std::vector<JournalWindow> taskbars) {
  if (record_.hiddenTaskbars == taskbars) return;
  record_.hiddenTaskbars = std::move(taskbars);
  Write();
}

void RecoveryJournal::SetLockTimeout(std::uint32_t milliseconds) {
  if (record_.lockTimeout == milliseconds) return;
  record_.lockTimeout = milliseconds;
  Write();
}

void RecoveryJournal::SessionEnded() {
  if (record_.sessionEnded) return;
  record_.sessionEnded = true;
  Write();
}

void RecoveryJournal::End() {
  if (path_.empty()) return;
  store_.Remove();
  path_.clear();
}

void RecoveryJournal::Write() {
  // Before start-up has begun it (and after the end) there is no journal.
  if (path_.empty()) return;
  if (!store_.Write(path_, record_)) MoveOrTell();
}

}  // namespace peekbar
