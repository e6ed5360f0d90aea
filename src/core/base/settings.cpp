#include "core/base/settings.h"

#include "core/base/hotkeys.h"

#include <algorithm>
#include <array>
#include <limits>

namespace peekbar {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

using G = SettingsGroup;
using R = ReadRule;
using S = Settings;

// The table is written as runs of rows, joined in order into one array.
template <std::size_t N>
using Rows = std::array<SettingDef, N>;

template <std::size_t... N>
constexpr Rows<(N + ...)> Join(const Rows<N>&... runs) {
  Rows<(N + ...)> rows{};
  auto next = rows.begin();
  ((next = std::copy(runs.begin(), runs.end(), next)), ...);
  return rows;
}

constexpr Rows<1> Int(G group, std::u16string_view section, std::u16string_view key, R rule,
                      std::int32_t S::*field, std::int32_t low = 0, std::int32_t high = 0,
                      std::int32_t replacement = 0) {
  return {{{group, section, key, rule, low, high, replacement, field, nullptr, nullptr}}};
}
constexpr Rows<1> Flag(G group, std::u16string_view section, std::u16string_view key, std::int32_t S::*field) {
  return Int(group, section, key, R::Flag, field);
}

// The keys that, held together, show the guides, the labels or the trigger.
constexpr Rows<3> KeyRows(G group, std::u16string_view section, std::int32_t S::*ctrl, std::int32_t S::*shift,
                          std::int32_t S::*alt) {
  return Join(Flag(group, section, u"TRIGGER_CTRL", ctrl), Flag(group, section, u"TRIGGER_SHIFT", shift),
              Flag(group, section, u"TRIGGER_ALT", alt));
}

constexpr SettingDef FontRow(G group, std::u16string_view section, std::u16string_view key, R rule,
                             FontRecord S::*font, std::int32_t FontRecord::*field, std::int32_t low = 0,
                             std::int32_t high = 0) {
  return {group, section, key, rule, low, high, 0, nullptr, font, field};
}

// Sizes of a text a screen can show: anything beyond would only make the
// overlays' arithmetic overflow.
constexpr std::int32_t kLargestFontExtent = 1000;
// Past any weight the system knows (FW_HEAVY is 900).
constexpr std::int32_t kHeaviestFontWeight = 1000;
// Bars and bands are drawn inside monitors, which are narrower than this.
constexpr std::int32_t kWidestGuide = 32767;

// A font record's six rows, the face first and the charset last. Italic and
// charset are bytes in the system's record: only their low byte is kept.
constexpr Rows<6> FontRows(G group, std::u16string_view section, FontRecord S::*font) {
  using F = FontRecord;
  return {{
      FontRow(group, section, u"FONT_FACE_NAME", R::None, font, nullptr),
      FontRow(group, section, u"FONT_HEIGHT", R::Clamp, font, &F::height, -kLargestFontExtent, kLargestFontExtent),
      FontRow(group, section, u"FONT_WIDTH", R::Clamp, font, &F::width, 0, kLargestFontExtent),
      FontRow(group, section, u"FONT_WEIGHT", R::Clamp, font, &F::weight, 0, kHeaviestFontWeight),
      FontRow(group, section, u"FONT_ITALIC", R::LowByte, font, &F::italic),
      FontRow(group, section, u"FONT_CHARSET", R::LowByte, font, &F::charset),
  }};
}

constexpr std::u16string_view kOption = u"OPTION";
constexpr std::u16string_view kGuide = u"GUIDE";
constexpr std::u16string_view kLabel = u"LABEL";
constexpr std::u16string_view kTrigger = u"TRIGGER";
constexpr std::u16string_view kMonitorPop = u"MONITOR_POP";
constexpr std::u16string_view kHotkey = u"HOTKEY";

constexpr auto kDefinitions = Join(
    Int(G::Option, kOption, u"CORNER_LENGTH", R::Clamp, &S::cornerLength, 0, 50),
    Int(G::Option, kOption, u"MIDDLE_LENGTH", R::MiddleLength, &S::middleLength),
    Int(G::Option, kOption, u"TIMER_INTERVAL", R::Clamp, &S::timerInterval, 0, kMax),
    Int(G::Option, kOption, u"SHOWING_DELAY", R::Clamp, &S::showingDelay, 0, kMax),
    Int(G::Option, kOption, u"HIDDEN_DELAY", R::Clamp, &S::hiddenDelay, 0, kMax),
    Int(G::Option, kOption, u"MUST_BTN_FOR_SHOW", R::ResetOutside, &S::mustButtonForShow, 0, 6, 0),
    Flag(G::Option, kOption, u"HIDE_TASKBAR", &S::hideTaskbar),
    Flag(G::Option, kOption, u"NO_TITLE", &S::noTitle),
    Flag(G::Option, kOption, u"ENABLED_AT_EDGE", &S::enabledAtEdge),
    Flag(G::Option, kOption, u"TOPMOST", &S::topmost),
    Flag(G::Option, kOption, u"KEEP_WIN_POS", &S::keepWindowPos),
    Flag(G::Option, kOption, u"RESTORE_WIN_POS", &S::restoreWindowPos),
    Flag(G::Option, kOption, u"BALLOON", &S::balloon),
    Flag(G::Option, kOption, u"SOUND_ON_COMMAND", &S::soundOnCommand),
    Flag(G::Option, kOption, u"MULTIPLE_STARTUP", &S::multipleStartup),
    Flag(G::Option, kOption, u"TRAY_OPR_REVERSE", &S::trayOperationReverse),
    Flag(G::Option, kOption, u"FULLSCREEN_QUIET", &S::fullscreenQuiet),
    Int(G::TrayIconColor, kOption, u"TRAY_ICON_COLOR", R::ResetOutside, &S::trayIconColor, 0, 2, 0),

    Flag(G::Guide, kGuide, u"ENABLED", &S::guideEnabled),
    Flag(G::Guide, kGuide, u"ENABLED_KEY", &S::guideEnabledKey),
    Flag(G::Guide, kGuide, u"ALWAYS_SHOW", &S::guideAlwaysShow),
    KeyRows(G::Guide, kGuide, &S::guideCtrl, &S::guideShift, &S::guideAlt),
    Int(G::Guide, kGuide, u"JUDGMENT_WIDTH", R::Clamp, &S::judgmentWidth, 1, kWidestGuide),
    Int(G::Guide, kGuide, u"GUIDE_WIDTH", R::Clamp, &S::guideWidth, 1, kWidestGuide),
    Int(G::Guide, kGuide, u"GUIDE_ALPHA", R::Clamp, &S::guideAlpha, 1, 255),

    Int(G::Label, kLabel, u"SHOW", R::ResetOutside, &S::labelShow, 0, 2, 0),
    KeyRows(G::Label, kLabel, &S::labelCtrl, &S::labelShift, &S::labelAlt),
    FontRows(G::Label, kLabel, &S::labelFont),
    Int(G::Label, kLabel, u"FONT_COLOR_IDX", R::ResetOutside, &S::labelFontColorIndex, 0, 2, 0),
    Int(G::Label, kLabel, u"FONT_OPT_RGB", R::None, &S::labelFontCustomColor),

    Flag(G::Trigger, kTrigger, u"ENABLED", &S::triggerEnabled),
    KeyRows(G::Trigger, kTrigger, &S::triggerCtrl, &S::triggerShift, &S::triggerAlt),
    // Below 1 the width becomes 250, not its default 200: kept as users' files know it.
    Int(G::Trigger, kTrigger, u"WND_WIDTH", R::ResetBelow, &S::triggerWidth, 1, kLargestTriggerSide, 250),
    Int(G::Trigger, kTrigger, u"WND_HEIGHT", R::ResetBelow, &S::triggerHeight, 1, kLargestTriggerSide, 200),
    Int(G::Trigger, kTrigger, u"WND_ALPHA", R::Clamp, &S::triggerAlpha, 1, 255),

    Int(G::MonitorPop, kMonitorPop, u"SHOW", R::ResetOutside, &S::monitorPopShow, -1, 4, 0),
    Int(G::MonitorPop, kMonitorPop, u"ALPHA", R::Clamp, &S::monitorPopAlpha, 1, 255),
    FontRows(G::MonitorPop, kMonitorPop, &S::monitorPopFont),

    Int(G::Hotkey, kHotkey, u"PAUSE", R::ResetOutside, &S::pauseHotkey, 0, kLargestHotkey, 0),
    Int(G::Hotkey, kHotkey, u"MENU", R::ResetOutside, &S::menuHotkey, 0, kLargestHotkey, 0));

}  // namespace

std::span<const SettingDef> SettingDefinitions() { return kDefinitions; }

const Settings& DefaultSettings() {
  static const Settings defaults{};
  return defaults;
}

const SettingDef& DefinitionOf(std::int32_t Settings::*field) {
  return *std::find_if(kDefinitions.begin(), kDefinitions.end(),
                       [field](const SettingDef& def) { return def.intField == field; });
}

void TakeFont(Settings& settings, FontRecord Settings::*font, const FontRecord& chosen) {
  settings.*font = chosen;
  for (const SettingDef& def : kDefinitions) {
    if (def.font == font && !def.IsText()) def.IntIn(settings) = NormaliseSetting(def, def.IntIn(settings), settings);
  }
}

std::int32_t NormaliseSetting(const SettingDef& def, std::int32_t raw, const Settings& current) {
  switch (def.rule) {
    case ReadRule::None:
      return raw;
    case ReadRule::Flag:
      return raw != 0 ? 1 : 0;
    case ReadRule::Clamp:
      return raw < def.low ? def.low : (raw > def.high ? def.high : raw);
    case ReadRule::ResetOutside:
      return (raw < def.low || raw > def.high) ? def.replacement : raw;
    case ReadRule::ResetBelow:
      return raw < def.low ? def.replacement : (raw > def.high ? def.high : raw);
    case ReadRule::LowByte:
      return raw & 0xFF;
    case ReadRule::MiddleLength: {
      const std::int32_t high = 2 * (50 - current.cornerLength);
      return raw < 0 ? 0 : (raw > high ? high : raw);
    }
  }
  return raw;
}

}  // namespace peekbar
