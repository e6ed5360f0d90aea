#include "core/settings/settings_file.h"

#include <algorithm>
#include <utility>

namespace peekbar {
namespace {

constexpr std::u16string_view kProfileSection = u"PROFILE";
constexpr std::size_t kRectProbeUnits = 64;

std::u16string IntText(std::int32_t value) { return DecimalText(value); }

constexpr std::u16string_view kWriteFailedMessage = u"設定ファイルの書き込みに失敗しました。\n\n";
constexpr std::u16string_view kNotConvertedMessage =
    u"設定ファイルのUTF-16への変換に失敗しました。\n"
    u"文字化けを防ぐため、次に起動するまでこのファイルには書き込みません。\n\n";
// Told as the file is read: what the user sees meanwhile, and what to do.
constexpr std::u16string_view kNotConvertedAtLoadMessage =
    u"設定ファイルをUTF-16に変換できませんでした（ほかのプログラムが開いているなど）。"
    u"次に起動するまで、このファイルの日本語（キーワード、プロファイル名など）は正しく読めず、"
    u"設定の変更も保存しません。ファイルを閉じてから Peekbar を起動し直してください。\n\n";

}  // namespace

std::optional<std::u16string> Utf8SettingsText(std::string_view bytes) {
  constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
  if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) return StrictUtf16FromUtf8(bytes.substr(kUtf8Mark.size()));
  const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) return std::nullopt;
  // A UTF-16 file without its mark would show NUL bytes; those are never UTF-8 text.
  if (bytes.find('\0') != std::string_view::npos) return std::nullopt;
  return StrictUtf16FromUtf8(bytes);
}

std::string Utf16SettingsBytes(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

namespace {

// A converted copy is written as "<file>.converting" and renamed
// "<file>.converted" only once all of it is on the disk: a copy by the
// second name is whole, one by the first may have been cut short.
constexpr std::u16string_view kCopyBeingWritten = u".converting";
constexpr std::u16string_view kWholeCopy = u".converted";

// A whole copy beside the file is what a conversion left between writing
// it and taking the file's place. With the file still there, the file was
// never replaced and the copy goes; with the file gone, it was removed for
// the copy (a replacement is two steps on FAT and exFAT) and the copy takes
// its place. False when the copy could not: it stays for the next start,
// and the file, missing, must not be made anew meanwhile, which would have
// the copy taken for a stale one then.
bool SettleWholeCopy(SettingsStore& store, const std::u16string& path, const std::u16string& copy) {
  if (!store.FileExists(copy)) return true;
  if (store.FileExists(path)) {
    store.RemoveFile(copy);
    return true;
  }
  return store.RenameFile(copy, path);
}

}  // namespace

bool NormaliseSettingsEncoding(SettingsStore& store, const std::u16string& path) {
  const std::u16string beingWritten = path + std::u16string(kCopyBeingWritten);
  const std::u16string whole = path + std::u16string(kWholeCopy);
  if (store.FileExists(beingWritten)) store.RemoveFile(beingWritten);  // never taken: it may be cut short
  if (!SettleWholeCopy(store, path, whole)) return false;
  const std::optional<std::string> bytes = store.ReadFileBytes(path);
  const std::optional<std::u16string> text = bytes ? Utf8SettingsText(*bytes) : std::nullopt;
  if (!text) return true;
  if (!store.WriteFileBytes(beingWritten, Utf16SettingsBytes(*text)) || !store.RenameFile(beingWritten, whole)) {
    store.RemoveFile(beingWritten);
    return false;
  }
  if (store.RenameFile(whole, path)) return true;
  // Held by another program, most likely. A file already removed for the
  // copy is replaced all the same.
  const bool removed = !store.FileExists(path);
  return SettleWholeCopy(store, path, whole) && removed;
}

std::u16string ExecutableDirectory(std::u16string_view executablePath) {
  const auto separator = executablePath.find_last_of(u"\\/");
  if (separator == std::u16string_view::npos) return {};
  return std::u16string(executablePath.substr(0, separator + 1));
}

std::u16string MainSettingsPath(std::u16string_view directory, std::u16string_view userName) {
  return std::u16string(directory) + std::u16string(userName) + u"_Peekbar.ini";
}

std::u16string ProfilePath(std::u16string_view directory, std::u16string_view userName, int profile) {
  return std::u16string(directory) + std::u16string(userName) + u"_Peekbar_" + DecimalText(profile) + u".ini";
}

std::u16string DefaultProfileName(int profile) { return u"プロファイル_" + DecimalText(profile); }

std::u16string MonitorSection(int monitor) { return u"MONITOR_" + DecimalText(monitor); }

void SettingsFile::LoadSettings() {
  ProfileState& p = state_.profiles;
  p.executableDirectory = ExecutableDirectory(shell_.ExecutablePath());
  p.userName = std::u16string(CutToUnits(shell_.UserName(), kTitleUnits - 1));
  p.mainSettingsPath = MainSettingsPath(p.executableDirectory, p.userName);
  for (int k = 0; k < kProfileCount; ++k) {
    auto& path = p.profilePaths[static_cast<std::size_t>(k)];
    path = ProfilePath(p.executableDirectory, p.userName, k);
    NormaliseEncoding(path);
    const std::u16string name = store_.ReadText(path, kProfileSection, u"NAME", u"", kTitleUnits);
    p.names[static_cast<std::size_t>(k)] = name.empty() ? DefaultProfileName(k) : name;
  }
  NormaliseEncoding(p.mainSettingsPath);
  const std::int32_t index = store_.ReadInt(p.mainSettingsPath, kProfileSection, u"INDEX", 0);
  p.selected = index < 0 ? 0 : (index > kProfileCount - 1 ? kProfileCount - 1 : index);
  for (const SettingDef& def : SettingDefinitions()) {
    if (InMainSettingsFile(def.group)) ReadSetting(p.mainSettingsPath, def);
  }
  LoadProfileSettings();
}

void SettingsFile::ReadSetting(const std::u16string& path, const SettingDef& def) {
  Settings& s = state_.settings;
  const Settings& defaults = DefaultSettings();
  if (def.IsText()) {
    def.TextIn(s) = store_.ReadText(path, def.section, def.key, def.TextIn(defaults).View(), kFaceNameUnits);
  } else {
    const std::int32_t raw = store_.ReadInt(path, def.section, def.key, def.IntIn(defaults));
    def.IntIn(s) = NormaliseSetting(def, raw, s);
  }
}

void SettingsFile::LoadProfileSettings() {
  const std::u16string& path = state_.profiles.SelectedPath();
  // Edited by hand since the start, maybe.
  NormaliseEncoding(path);
  for (const SettingDef& def : SettingDefinitions()) {
    if (InMainSettingsFile(def.group)) continue;
    ReadSetting(path, def);
    // The label fonts are rebuilt once the record is in (its charset is
    // its last row), before the colour keys that follow it.
    if (def.font == &Settings::labelFont && def.fontField == &FontRecord::charset) events_.LabelFontLoaded();
  }
  for (int m = 0; m < state_.MonitorCount(); ++m) LoadMonitorSettings(m);
  events_.ProfileLoaded();
}

void SettingsFile::LoadMonitorSettings(int monitor) {
  for (int n = 0; n < kLocationCount; ++n) {
    ReadLocationGroup(monitor, n, LocationSettingsGroup::Location, state_.At(monitor, n));
    ReadLocationGroup(monitor, n, LocationSettingsGroup::Hotkey, state_.At(monitor, n));
  }
}

void SettingsFile::NormaliseEncoding(const std::u16string& path) {
  if (!NormaliseSettingsEncoding(store_, path) && unconverted_.try_emplace(path, false).second) {
    untoldUnconverted_.push_back(path);
  }
}

std::optional<std::u16string> SettingsFile::TakeUnconvertedNotice() {
  if (untoldUnconverted_.empty()) return std::nullopt;
  std::u16string text(kNotConvertedAtLoadMessage);
  for (std::size_t i = 0; i < untoldUnconverted_.size(); ++i) {
    if (i > 0) text += u"\n";
    text += untoldUnconverted_[i];
  }
  untoldUnconverted_.clear();
  return text;
}

bool SettingsFile::WriteKey(WindowHandle owner, const std::u16string& path, std::u16string_view section,
                            std::u16string_view key, std::u16string_view value, FailureReport report) {
  if (const auto refused = unconverted_.find(path); refused != unconverted_.end()) {
    if (!std::exchange(refused->second, true)) {
      messages_.ShowErrorMessage(owner, std::u16string(kNotConvertedMessage) + path);
    }
    return false;
  }
  if (store_.WriteText(path, section, key, value)) return true;
  if (report == FailureReport::EveryTime || !std::exchange(writeFailureTold_, true)) {
    messages_.ShowErrorMessage(owner, std::u16string(kWriteFailedMessage) + path);
  }
  return false;
}

bool SettingsFile::SaveGroup(WindowHandle owner, SettingsGroup group) {
  const std::u16string& path =
      InMainSettingsFile(group) ? state_.profiles.mainSettingsPath : state_.profiles.SelectedPath();
  const Settings& s = state_.settings;
  bool first = true;
  for (const SettingDef& def : SettingDefinitions()) {
    if (def.group != group) continue;
    const std::u16string value = def.IsText() ? std::u16string(def.TextIn(s).View()) : IntText(def.IntIn(s));
    const FailureReport report = first ? FailureReport::EveryTime : FailureReport::OncePerRun;
    if (!WriteKey(owner, path, def.section, def.key, value, report) && first) return false;
    first = false;
  }
  return true;
}

bool SettingsFile::SaveTriggerSettings(WindowHandle owner) {
  events_.TriggerSettingsSaving();
  return SaveGroup(owner, SettingsGroup::Trigger);
}

bool SettingsFile::SaveMonitorPopSettings(WindowHandle owner) {
  events_.MonitorPopSettingsSaving();
  return SaveGroup(owner, SettingsGroup::MonitorPop);
}

bool SettingsFile::SaveLocationSettings(WindowHandle owner, int monitor, int location) {
  return WriteLocationGroup(owner, monitor, location, LocationSettingsGroup::Location, state_.At(monitor, location),
                            FailureReport::EveryTime);
}

bool SettingsFile::SaveLocationHotkey(WindowHandle owner, int monitor, int location) {
  return WriteLocationGroup(owner, monitor, location, LocationSettingsGroup::Hotkey, state_.At(monitor, location),
                            FailureReport::EveryTime);
}

bool SettingsFile::WriteLocationGroup(WindowHandle owner, int monitor, int location, LocationSettingsGroup group,
                                      const LocationSlot& from, FailureReport firstReport) {
  const std::u16string& path = state_.profiles.SelectedPath();
  const std::u16string section = MonitorSection(monitor);
  bool first = true;
  for (const LocationSettingDef& def : LocationSettingDefinitions()) {
    if (def.group != group) continue;
    const std::u16string value = def.get != nullptr ? IntText(def.get(from)) : std::u16string(from.keyword.View());
    const FailureReport report = first ? firstReport : FailureReport::OncePerRun;
    // Nothing more of it is written when its first key is not.
    if (!WriteKey(owner, path, section, LocationKey(def, location), value, report) && first) return false;
    first = false;
  }
  return true;
}

void SettingsFile::ReadLocationGroup(int monitor, int location, LocationSettingsGroup group, LocationSlot& into) {
  const std::u16string& path = state_.profiles.SelectedPath();
  const std::u16string section = MonitorSection(monitor);
  for (const LocationSettingDef& def : LocationSettingDefinitions()) {
    if (def.group != group) continue;
    if (def.get == nullptr) {
      into.keyword = store_.ReadText(path, section, LocationKey(def, location), u"", kKeywordUnits);
    } else {
      def.set(into, store_.ReadInt(path, section, LocationKey(def, location), def.defaultValue));
    }
  }
}

bool SettingsFile::SaveProfileList(WindowHandle owner) {
  const ProfileState& p = state_.profiles;
  if (!WriteKey(owner, p.mainSettingsPath, kProfileSection, u"INDEX", IntText(p.selected), FailureReport::EveryTime)) {
    return false;
  }
  for (int k = 0; k < kProfileCount; ++k) {
    const auto i = static_cast<std::size_t>(k);
    WriteKey(owner, p.profilePaths[i], kProfileSection, u"NAME", p.names[i].View(), FailureReport::OncePerRun);
  }
  return true;
}

void SettingsFile::WriteWindowRect(int monitor, int location) {
  // At every hide: a failure is told once per run, not at each.
  WriteLocationGroup(state_.mainWindow, monitor, location, LocationSettingsGroup::WindowRect,
                     state_.At(monitor, location), FailureReport::OncePerRun);
}

void SettingsFile::RestoreWindowRect(int monitor, int location) {
  LocationSlot& at = state_.At(monitor, location);
  // Nothing is restored unless the profile remembers a rectangle.
  const LocationSettingDef& left = *std::find_if(
      LocationSettingDefinitions().begin(), LocationSettingDefinitions().end(),
      [](const LocationSettingDef& def) { return def.group == LocationSettingsGroup::WindowRect; });
  if (store_.ReadText(state_.profiles.SelectedPath(), MonitorSection(monitor), LocationKey(left, location), u"",
                      kRectProbeUnits)
          .empty()) {
    return;
  }
  ReadLocationGroup(monitor, location, LocationSettingsGroup::WindowRect, at);
  if (!IsUsableSavedRect(at.savedRect, state_.monitorSlots)) return;
  const Rect rect = SavedRectForNow(at, state_.monitorSlots);
  const WindowHandle window = at.cycle.Window();
  PlaceSettled(desktop_, window, desktop_.IsResponding(window), [&](const Rect&) {
    Placement placement = PlacementAt(rect);
    placement.noActivate = true;
    return placement;
  });
}

}  // namespace peekbar
