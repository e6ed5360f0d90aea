// The shell for the core's tests: a notification area with one icon slot,
// message boxes that return at once, the main window's timer and the
// process's identity. Everything is recorded in order.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/hotkeys.h"
#include "core/base/shell.h"

namespace peekbar {

class FakeShell final : public Shell {
 public:
  struct IconCall {
    TrayAction action = TrayAction::Add;
    TrayIconRecord record;
    bool succeeded = false;
  };
  struct Box {
    WindowHandle owner = kNoWindow;
    std::u16string text;
    MessageIcon icon = MessageIcon::Information;
  };

  // ---- Setting the scene ----
  void SetExecutablePath(std::u16string path) { executablePath_ = std::move(path); }
  void SetUserName(std::u16string name) { userName_ = std::move(name); }
  // NIM_ADD fails (no notification area, or the shell is restarting).
  void SetAddFails(bool fails) { addFails_ = fails; }
  // NIM_ADD times out: it reports failure, yet the shell adds the icon.
  void SetAddTimesOut(bool timesOut) { addTimesOut_ = timesOut; }
  // The shell restarted: the icon is gone until it is added again.
  void DropIcon() { iconPresent_ = false; }
  void SetStartupFolder(std::u16string folder) { startupFolder_ = std::move(folder); }
  void AddExistingFile(std::u16string path) { existingFiles_.insert(std::move(path)); }

  // Runs while each message box is open, as the user reads it.
  std::function<void()> whileBoxOpen;

  // ---- What the core did ----
  const std::vector<IconCall>& IconCalls() const { return iconCalls_; }
  // The records of NIM_MODIFY calls that carried a balloon.
  std::vector<TrayIconRecord> Balloons() const;
  const std::vector<Box>& Boxes() const { return boxes_; }
  const std::vector<std::u16string>& OpenedDocuments() const { return openedDocuments_; }
  // The icon as the notification area shows it now.
  bool IconPresent() const { return iconPresent_; }
  int IconImage() const { return iconImage_; }
  const std::u16string& IconTip() const { return iconTip_; }

  bool TimerRunning() const { return timerRunning_; }
  std::uint32_t TimerInterval() const { return timerInterval_; }
  int TimerStarts() const { return timerStarts_; }
  int TimerStops() const { return timerStops_; }
  int CloseRequests() const { return closeRequests_; }

  // Everything in order, as text: "Add icon=101 tip=Peekbar", "Modify tip=...",
  // "Modify info=... (error)", "Delete", "Box owner=256 (error) ...",
  // "StartTimer 200", "StopTimer", "PostClose".
  const std::vector<std::string>& Log() const { return log_; }
  void ClearLog();

  // ---- Shell ----
  bool NotifyIcon(TrayAction action, const TrayIconRecord& record) override;
  void ShowMessageBox(WindowHandle owner, std::u16string_view text, MessageIcon icon) override;
  void StartTimer(std::uint32_t intervalMs) override;
  void StopTimer() override;
  void PostClose() override;
  std::u16string ExecutablePath() override { return executablePath_; }
  std::u16string UserName() override { return userName_; }
  void OpenDocument(const std::u16string& path) override;
  std::u16string StartupFolder() override { return startupFolder_; }
  bool FileExists(const std::u16string& path) override { return existingFiles_.count(path) != 0; }
  bool RemoveFile(const std::u16string& path) override { return existingFiles_.erase(path) != 0; }
  bool CreateShortcut(const std::u16string& linkPath, const std::u16string& target, const std::u16string& arguments,
                      const std::u16string& workingDirectory) override {
    shortcuts_.push_back({linkPath, target, arguments, workingDirectory});
    existingFiles_.insert(linkPath);
    return true;
  }
  // The guardian is started when it can be; each start is counted.
  bool StartGuardian() override {
    ++guardianStarts_;
    return !guardianFails_;
  }
  void SetGuardianFails(bool fails) { guardianFails_ = fails; }
  int GuardianStarts() const { return guardianStarts_; }
  struct Shortcut {
    std::u16string linkPath, target, arguments, workingDirectory;
  };
  const std::vector<Shortcut>& Shortcuts() const { return shortcuts_; }

 private:
  std::u16string executablePath_ = u"C:\\Tools\\Peekbar\\Peekbar.exe";
  std::u16string userName_ = u"tester";
  bool addFails_ = false;
  bool addTimesOut_ = false;
  std::u16string startupFolder_ = u"C:\\Users\\tester\\Startup";
  std::set<std::u16string> existingFiles_;
  std::vector<std::u16string> openedDocuments_;
  std::vector<Shortcut> shortcuts_;
  int guardianStarts_ = 0;
  bool guardianFails_ = false;

  std::vector<IconCall> iconCalls_;
  std::vector<Box> boxes_;
  bool iconPresent_ = false;
  int iconImage_ = 0;
  std::u16string iconTip_;

  bool timerRunning_ = false;
  std::uint32_t timerInterval_ = 0;
  int timerStarts_ = 0;
  int timerStops_ = 0;
  int closeRequests_ = 0;
  std::vector<std::string> log_;
};

// The system's hotkeys as the main window holds them. A combination held
// by another program, or by another identifier, is refused as the system
// refuses it.
class FakeHotkeyRegistrar final : public HotkeyRegistrar {
 public:
  bool Register(int id, Hotkey key) override {
    ++registerCalls;
    if (registered.contains(id)) return false;
    // As the system: a key and its extended twin are one combination.
    for (const Hotkey held : takenElsewhere) {
      if (SameCombination(held, key)) return false;
    }
    for (const auto& [other, held] : registered) {
      if (SameCombination(held, key)) return false;
    }
    registered[id] = key;
    return true;
  }
  void Unregister(int id) override { registered.erase(id); }

  std::map<int, Hotkey> registered;
  std::set<Hotkey> takenElsewhere;  // held by other programs
  int registerCalls = 0;
};

}  // namespace peekbar
