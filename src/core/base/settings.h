// Every persistent setting, its key, default and read rule, declared once in
// a table that drives loading and writing alike.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/base/text.h"

namespace peekbar {

inline constexpr std::size_t kFaceNameUnits = 32;  // LF_FACESIZE

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
  FixedText<kFaceNameUnits> labelFontFace{u"ＭＳ ゴシック"};
  std::int32_t labelFontHeight = -19;
  std::int32_t labelFontWidth = 0;
  std::int32_t labelFontWeight = 700;
  std::int32_t labelFontItalic = 0;
  std::int32_t labelFontCharset = 128;
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
  FixedText<kFaceNameUnits> monitorPopFontFace{u"ＭＳ ゴシック"};
  std::int32_t monitorPopFontHeight = -171;
  std::int32_t monitorPopFontWidth = 0;
  std::int32_t monitorPopFontWeight = 700;
  std::int32_t monitorPopFontItalic = 0;
  std::int32_t monitorPopFontCharset = 128;
};

// How a value read from the file is normalised.
enum class ReadRule : std::uint8_t {
  None,
  Flag,           // non-zero is 1
  Clamp,          // below low becomes low, above high becomes high
  ResetOutside,   // outside low..high becomes replacement
  LowByte,        // low 8 bits kept
  MiddleLength,   // 0 .. 2 x (50 - CORNER_LENGTH), read after it
};

// The writer that owns a setting: each writes its keys in table order.
enum class SettingsGroup : std::uint8_t { Option, TrayIconColor, Guide, Label, Trigger, MonitorPop };

struct SettingDef {
  SettingsGroup group;
  std::u16string_view section;
  std::u16string_view key;
  ReadRule rule;
  std::int32_t low;
  std::int32_t high;
  std::int32_t replacement;
  std::int32_t Settings::*intField;               // null for text settings
  FixedText<kFaceNameUnits> Settings::*textField;  // null for integer settings
};

// All settings of a profile file except the per-monitor sections, in the
// order they are read and written.
std::span<const SettingDef> SettingDefinitions();

// Applies a definition's read rule; `current` supplies CORNER_LENGTH for the
// middle-length rule.
std::int32_t NormaliseSetting(const SettingDef& def, std::int32_t raw, const Settings& current);

// The defaults, as a Settings holds them when nothing is read.
const Settings& DefaultSettings();

}  // namespace peekbar
