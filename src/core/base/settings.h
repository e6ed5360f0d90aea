// Every persistent setting, its key, default and read rule, declared once in
// a table that drives loading and writing alike.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/base/text.h"

namespace peekbar {

inline constexpr std::size_t kFaceNameUnits = 32;  // LF_FACESIZE

// A font as the settings files keep it: the fields of the system's font
// record that the font chooser sets, under the keys FONT_FACE_NAME,
// FONT_HEIGHT, FONT_WIDTH, FONT_WEIGHT, FONT_ITALIC and FONT_CHARSET.
struct FontRecord {
  FixedText<kFaceNameUnits> face;
  std::int32_t height = 0;
  std::int32_t width = 0;
  std::int32_t weight = 0;
  std::int32_t italic = 0;
  std::int32_t charset = 0;
};

struct Settings {
  // OPTION
  std::int32_t cornerLength = 10;
  std::int32_t middleLength = 10;
  std::int32_t timerInterval = 200;
  std::int32_t showingDelay = 250;
  std::int32_t hiddenDelay = 1000;
  std::int32_t mustButtonForShow = 0;
  std::int32_t hideTaskbar = 0;
  std::int32_t noTitle = 0;
  std::int32_t enabledAtEdge = 1;
  std::int32_t topmost = 0;
  std::int32_t keepWindowPos = 0;
  std::int32_t restoreWindowPos = 0;
  std::int32_t balloon = 1;
  std::int32_t soundOnCommand = 0;
  std::int32_t multipleStartup = 1;
  std::int32_t trayOperationReverse = 0;
  // The edges of a monitor under a full-screen program keep quiet.
  std::int32_t fullscreenQuiet = 1;
  std::int32_t trayIconColor = 0;
  // GUIDE
  std::int32_t guideEnabled = 1;
  std::int32_t guideEnabledKey = 1;
  std::int32_t guideAlwaysShow = 0;
  std::int32_t guideCtrl = 1;
  std::int32_t guideShift = 0;
  std::int32_t guideAlt = 0;
  std::int32_t judgmentWidth = 1;
  std::int32_t guideWidth = 12;
  std::int32_t guideAlpha = 160;
  // LABEL
  std::int32_t labelShow = 0;
  std::int32_t labelCtrl = 1;
  std::int32_t labelShift = 0;
  std::int32_t labelAlt = 0;
  std::int32_t labelFontColorIndex = 0;
  std::int32_t labelFontCustomColor = 0;
  // TRIGGER
  std::int32_t triggerEnabled = 0;
  std::int32_t triggerCtrl = 1;
  std::int32_t triggerShift = 0;
  std::int32_t triggerAlt = 0;
  std::int32_t triggerWidth = 200;
  std::int32_t triggerHeight = 200;
  std::int32_t triggerAlpha = 192;
  // MONITOR_POP
  std::int32_t monitorPopShow = 0;
  std::int32_t monitorPopAlpha = 64;
  // The fonts of LABEL and MONITOR_POP
  FontRecord labelFont{.face = {u"ＭＳ ゴシック"}, .height = -19, .weight = 700, .charset = 128};
  FontRecord monitorPopFont{.face = {u"ＭＳ ゴシック"}, .height = -171, .weight = 700, .charset = 128};
  // HOTKEY, in the main settings file: the same for every profile.
  std::int32_t pauseHotkey = 0;
  std::int32_t menuHotkey = 0;
};

// The trigger window's largest side, as its dialog takes it.
inline constexpr std::int32_t kLargestTriggerSide = 32767;

// How a value read from the file is normalised.
enum class ReadRule : std::uint8_t {
  None,
  Flag,           // non-zero is 1
  Clamp,          // below low becomes low, above high becomes high
  ResetOutside,   // outside low..high becomes replacement
  ResetBelow,     // below low becomes replacement, above high becomes high
  LowByte,        // low 8 bits kept
  MiddleLength,   // 0 .. 2 x (50 - CORNER_LENGTH), read after it
};

// The writer that owns a setting: each writes its keys in table order.
enum class SettingsGroup : std::uint8_t { Option, TrayIconColor, Guide, Label, Trigger, MonitorPop, Hotkey };

// The groups kept in the main settings file rather than in the profile.
constexpr bool InMainSettingsFile(SettingsGroup group) { return group == SettingsGroup::Hotkey; }

struct SettingDef {
  SettingsGroup group;
  std::u16string_view section;
  std::u16string_view key;
  ReadRule rule;
  std::int32_t low;
  std::int32_t high;
  std::int32_t replacement;
  // Where the value lives: an integer of Settings, or a field of one of its
  // font records. A font's face, its one text, has no fontField.
  std::int32_t Settings::*intField;
  FontRecord Settings::*font;
  std::int32_t FontRecord::*fontField;

  bool IsText() const { return font != nullptr && fontField == nullptr; }
  std::int32_t& IntIn(Settings& s) const { return intField != nullptr ? s.*intField : (s.*font).*fontField; }
  std::int32_t IntIn(const Settings& s) const { return intField != nullptr ? s.*intField : (s.*font).*fontField; }
  FixedText<kFaceNameUnits>& TextIn(Settings& s) const { return (s.*font).face; }
  const FixedText<kFaceNameUnits>& TextIn(const Settings& s) const { return (s.*font).face; }
};

// All settings except the per-monitor sections, in the order they are read
// and written: those of a profile file, then those of the main file.
std::span<const SettingDef> SettingDefinitions();

// Applies a definition's read rule; `current` supplies CORNER_LENGTH for the
// middle-length rule.
std::int32_t NormaliseSetting(const SettingDef& def, std::int32_t raw, const Settings& current);

// The defaults, as a Settings holds them when nothing is read.
const Settings& DefaultSettings();

// The row of an integer setting.
const SettingDef& DefinitionOf(std::int32_t Settings::*field);

// A font chosen by the user becomes the font record `font`, each field
// normalised by its row's read rule as when it is read from the file.
void TakeFont(Settings& settings, FontRecord Settings::*font, const FontRecord& chosen);

}  // namespace peekbar
