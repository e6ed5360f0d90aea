#include "core/engine/recovery_journal.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "core/base/text.h"
#include "core/engine/show_hide.h"
#include "core/engine/taskbar.h"

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
    } else if (TakePrefix(line, kHiddenWith)) {
      if (auto window = ParseWindowLine(line)) record.hiddenWith.push_back(std::move(*window));
    } else if (TakePrefix(line, kHiddenTaskbar)) {
      if (auto window = ParseWindowLine(line)) record.hiddenTaskbars.push_back(std::move(*window));
    }
  }
  return record;
}

std::u16string JournalPath(std::u16string_view directory, std::u16string_view userName, std::uint32_t processId) {
  std::u16string path(directory);
  path += userName;
  path += u"_Peekbar_";
  path += DecimalText(processId);
  path += kExtension;
  return path;
}

std::optional<std::uint32_t> LockTimeoutToPutBack(std::optional<std::uint32_t> recorded, std::uint32_t now) {
  if (!recorded || *recorded == 0 || now != 0) return std::nullopt;
  return recorded;
}

void RecoveryJournal::RecoverAndBegin(Taskbar& taskbar) {
  const ProfileState& p = state_.profiles;
  // Empty when it is no other folder than the settings files' one.
  const std::u16string userFolder = [&] {
    std::u16string folder = store_.UserFolder();
    return folder == p.executableDirectory ? std::u16string() : folder;
  }();
  std::vector<AbandonedJournal> abandoned;
  for (const std::u16string* folder : {&p.executableDirectory, &userFolder}) {
    if (folder->empty()) continue;
    std::vector<AbandonedJournal> found =
        store_.FindAbandoned(*folder, p.userName + u"_Peekbar_", std::u16string(kExtension));
    abandoned.insert(abandoned.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
  }
  std::vector<WindowHandle> givenBack;
  std::vector<JournalWindow> hiddenTaskbars;
  bool taskbarHidden = false;
  std::optional<std::uint32_t> lockTimeout;
  for (const AbandonedJournal& journal : abandoned) {
    const JournalRecord record = ParseJournal(journal.text);
    taskbarHidden = taskbarHidden || record.taskbarHidden;
    if (record.lockTimeout.value_or(0) != 0) lockTimeout = record.lockTimeout;
    hiddenTaskbars.insert(hiddenTaskbars.end(), record.hiddenTaskbars.begin(), record.hiddenTaskbars.end());
    for (const auto* windows : {&record.windows, &record.hiddenWith}) {
      for (const JournalWindow& w : *windows) {
        // A handle value alone may have been given to another window since.
        if (!IsSameWindow(desktop_, w, kTitleUnits)) continue;
        if (std::find(givenBack.begin(), givenBack.end(), w.window) == givenBack.end()) givenBack.push_back(w.window);
      }
    }
  }
  // Keywords are applied next, and they find only visible windows.
  GiveBackAndWait(desktop_, givenBack);
  if (taskbarHidden) taskbar.ShowTaskbar();
  taskbar.ShowTaskbars(hiddenTaskbars);
  if (lockTimeout) {
    if (const auto putBack = LockTimeoutToPutBack(lockTimeout, desktop_.ForegroundLockTimeout())) {
      desktop_.SetForegroundLockTimeout(*putBack);
    }
  }
  for (const AbandonedJournal& journal : abandoned) store_.Delete(journal.path);
  Begin(userFolder);
}

void RecoveryJournal::Begin(const std::u16string& userFolder) {
  const ProfileState& p = state_.profiles;
  record_ = JournalRecord{};
  record_.owner = desktop_.OwnProcessId();
  // Known from the start, so that a show rarely has a journal to write
  // before it lowers the lock.
  record_.lockTimeout = desktop_.ForegroundLockTimeout();
  path_ = JournalPath(p.executableDirectory, p.userName, record_.owner);
  if (store_.Write(path_, record_)) return;
  // Peekbar.exe may sit in a folder the user may not write (under Program
  // Files, on a read-only share), or the name may be locked.
  if (!userFolder.empty()) {
    std::u16string elsewhere = JournalPath(userFolder, p.userName, record_.owner);
    if (store_.Write(elsewhere, record_)) {
      path_ = std::move(elsewhere);
      notice_ = JournalNotice{std::u16string(kJournalMovedMessage) + WithoutTrailingSeparator(userFolder), false};
      return;
    }
  }
  // Nowhere for now: every later write tries again beside the settings
  // files, and a crash still gives back what the writes listed.
  std::u16string folders = WithoutTrailingSeparator(p.executableDirectory);
  if (!userFolder.empty()) {
    folders += u'\n';
    folders += WithoutTrailingSeparator(userFolder);
  }
  notice_ = JournalNotice{std::u16string(kJournalFailedMessage) + folders, true};
}

std::optional<JournalNotice> RecoveryJournal::TakeNotice() { return std::exchange(notice_, std::nullopt); }

void RecoveryJournal::Add(WindowHandle window) {
  if (window == kNoWindow) return;
  for (const JournalWindow& w : record_.windows) {
    if (w.window == window) return;
  }
  record_.windows.push_back({window, desktop_.WindowProcessId(window), desktop_.WindowClassName(window, kTitleUnits)});
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
  for (const MonitorSlot& slot : state_.monitorSlots) {
    for (const LocationSlot& at : slot.locations) {
      for (const JournalWindow& owned : at.cycle.HiddenWith()) {
        const auto listed = [&owned](const JournalWindow& w) { return w.window == owned.window; };
        if (std::none_of(hiddenWith.begin(), hiddenWith.end(), listed)) hiddenWith.push_back(owned);
      }
    }
  }
  if (hiddenWith != record_.hiddenWith) {
    record_.hiddenWith = std::move(hiddenWith);
    changed = true;
  }
  if (changed) Write();
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

void RecoveryJournal::End() {
  if (path_.empty()) return;
  store_.Remove();
  path_.clear();
}

void RecoveryJournal::Write() {
  // Before start-up has begun it (and after the end) there is no journal.
  if (path_.empty()) return;
  store_.Write(path_, record_);
}

}  // namespace peekbar
