// Reading and writing the settings files: the main file that records the
// selected profile, and the ten profile files with every setting.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/settings_store.h"
#include "core/base/shell.h"
#include "core/base/state.h"
#include "core/settings/messages.h"

namespace peekbar {

// What must follow a change of settings elsewhere in the program.
class SettingsEvents {
 public:
  virtual ~SettingsEvents() = default;
  // The label font record was read anew.
  virtual void LabelFontLoaded() = 0;
  // A profile was read in full: derived colours and the tray tip follow.
  virtual void ProfileLoaded() = 0;
  // TRIGGER is about to be written: the trigger window closes and is made
  // anew with the new values when next needed.
  virtual void TriggerSettingsSaving() = 0;
  // MONITOR_POP is about to be written: the pop-ups are rebuilt.
  virtual void MonitorPopSettingsSaving() = 0;
};

// The text of a settings file that the private-profile functions would
// misread, to be written back as UTF-16 with a byte-order mark: a file with
// a UTF-8 byte-order mark, or one that is strictly UTF-8 and holds more than
// ASCII (what editors save today). Nothing for a file that is read right as
// it is: UTF-16, plain ASCII, or not UTF-8 at all (a file in the system's
// ANSI code page).
std::optional<std::u16string> Utf8SettingsText(std::string_view bytes);

// A settings file holding `text` as Peekbar keeps them: a UTF-16LE
// byte-order mark, then the text in UTF-16LE.
std::string Utf16SettingsBytes(std::u16string_view text);

// Before a settings file is read: a file that Utf8SettingsText would have
// converted is written anew as UTF-16, its text unchanged. False when the
// file must not be written through the private-profile functions this run:
// its text still waits to be converted (it could not be replaced, as while
// another program holds it), or it is missing while the converted copy
// that was to replace it could not take its place.
bool NormaliseSettingsEncoding(SettingsStore& store, const std::u16string& path);

// File name formats.
std::u16string ExecutableDirectory(std::u16string_view executablePath);
std::u16string MainSettingsPath(std::u16string_view directory, std::u16string_view userName);
std::u16string ProfilePath(std::u16string_view directory, std::u16string_view userName, int profile);
std::u16string DefaultProfileName(int profile);
std::u16string MonitorSection(int monitor);

class SettingsFile {
 public:
  SettingsFile(AppState& state, SettingsStore& store, Shell& shell, Desktop& desktop,
               UserMessages& messages, SettingsEvents& events)
      : state_(state), store_(store), shell_(shell), desktop_(desktop), messages_(messages), events_(events) {}

  void LoadSettings();
  void LoadProfileSettings();
  // What the user must hear, once, of the settings files read since it was
  // last taken that could not be converted to UTF-16: their Japanese is
  // read in the system's code page, and nothing is written into them this
  // run. None when every file was converted or had nothing to convert.
  std::optional<std::u16string> TakeUnconvertedNotice();
  // The keywords and guide colours of one monitor's section.
  void LoadMonitorSettings(int monitor);

  // Writers: each writes its own section in key order. When the first write
  // fails the user is told which file and nothing more of that writer is
  // written; any other failed write is told once per run. Nothing is written
  // into a file whose conversion failed (NormaliseSettingsEncoding), and
  // that is told once. They return whether the first write succeeded.
  bool SaveOptionSettings(WindowHandle owner) { return SaveGroup(owner, SettingsGroup::Option); }
  bool SaveTrayIconColor(WindowHandle owner) { return SaveGroup(owner, SettingsGroup::TrayIconColor); }
  bool SaveGuideSettings(WindowHandle owner) { return SaveGroup(owner, SettingsGroup::Guide); }
  bool SaveLabelSettings(WindowHandle owner) { return SaveGroup(owner, SettingsGroup::Label); }
  bool SaveTriggerSettings(WindowHandle owner);
  bool SaveMonitorPopSettings(WindowHandle owner);
  // HOTKEY of the main file.
  bool SaveHotkeySettings(WindowHandle owner) { return SaveGroup(owner, SettingsGroup::Hotkey); }
  bool SaveLocationSettings(WindowHandle owner, int monitor, int location);
  bool SaveLocationHotkey(WindowHandle owner, int monitor, int location);
  bool SaveProfileList(WindowHandle owner);

  // The rectangle the location's window had when it went away, and its
  // monitor's DPI, as WIN_*_<location>; a failure is told as the writers'
  // later keys are.
  void WriteWindowRect(int monitor, int location);
  // The rectangle remembered in the profile, when there is one, becomes the
  // location's and its window is moved there without being activated.
  void RestoreWindowRect(int monitor, int location);

 private:
  // How a failed write reaches the user: the first key of a writer at
  // every failure, the others once per run.
  enum class FailureReport : std::uint8_t { EveryTime, OncePerRun };

  void NormaliseEncoding(const std::u16string& path);
  // One row of the settings table from the file, by its read rule.
  void ReadSetting(const std::u16string& path, const SettingDef& def);
  bool WriteKey(WindowHandle owner, const std::u16string& path, std::u16string_view section, std::u16string_view key,
                std::u16string_view value, FailureReport report);
  bool SaveGroup(WindowHandle owner, SettingsGroup group);
  // The location's keys of the group, in table order, from `from`; the
  // result of the first write.
  bool WriteLocationGroup(WindowHandle owner, int monitor, int location, LocationSettingsGroup group,
                          const LocationSlot& from, FailureReport firstReport);
  void ReadLocationGroup(int monitor, int location, LocationSettingsGroup group, LocationSlot& into);

  AppState& state_;
  SettingsStore& store_;
  Shell& shell_;
  Desktop& desktop_;
  UserMessages& messages_;
  SettingsEvents& events_;
  // The files whose conversion failed this run, and whether the user has
  // been told.
  std::map<std::u16string, bool> unconverted_;
  // Those of them the user has not been told of as they were read.
  std::vector<std::u16string> untoldUnconverted_;
  bool writeFailureTold_ = false;  // of a failure told once per run
};

}  // namespace peekbar
