#include "core/base/settings.h"

#include <array>
#include <limits>

namespace peekbar {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

using G = SettingsGroup;
using R = ReadRule;
using S = Settings;

constexpr SettingDef Int(G group, std::u16string_view section, std::u16string_view key, R rule,
                         std::int32_t S::*field, std::int32_t low = 0, std::int32_t high = 0,
                         std::int32_t replacement = 0) {
  return {group, section, key, rule, low, high, replacement, field, nullptr};
}
constexpr SettingDef Flag(G group, std::u16string_view section, std::u16string_view key,
                          std::int32_t S::*field) {
  return Int(group, section, key, R::Flag, field);
}
constexpr SettingDef Text(G group, std::u16string_view section, std::u16string_view key,
                          FixedText<kFaceNameUnits> S::*field) {
  return {group, section, key, R::None, 0, 0, 0, nullptr, field};
}

constexpr std::u16string_view kOption = u"OPTION";
constexpr std::u16string_view kGuide = u"GUIDE";
constexpr std::u16string_view kLabel = u"LABEL";
constexpr std::u16string_view kTrigger = u"TRIGGER";
constexpr std::u16string_view kMonitorPop = u"MONITOR_POP";

const std::array kDefinitions = {
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
    Int(G::TrayIconColor, kOption, u"TRAY_ICON_COLOR", R::ResetOutside, &S::trayIconColor, 0, 2, 0),

    Flag(G::Guide, kGuide, u"ENABLED", &S::guideEnabled),
    Flag(G::Guide, kGuide, u"ENABLED_KEY", &S::guideEnabledKey),
    Flag(G::Guide, kGuide, u"ALWAYS_SHOW", &S::guideAlwaysShow),
    Flag(G::Guide, kGuide, u"TRIGGER_CTRL", &S::guideCtrl),
    Flag(G::Guide, kGuide, u"TRIGGER_SHIFT", &S::guideShift),
    Flag(G::Guide, kGuide, u"TRIGGER_ALT", &S::guideAlt),
    Int(G::Guide, kGuide, u"JUDGMENT_WIDTH", R::Clamp, &S::judgmentWidth, 1, kMax),
    Int(G::Guide, kGuide, u"GUIDE_WIDTH", R::Clamp, &S::guideWidth, 1, kMax),
    Int(G::Guide, kGuide, u"GUIDE_ALPHA", R::Clamp, &S::guideAlpha, 1, 255),

    Int(G::Label, kLabel, u"SHOW", R::ResetOutside, &S::labelShow, 0, 2, 0),
    Flag(G::Label, kLabel, u"TRIGGER_CTRL", &S::labelCtrl),
    Flag(G::Label, kLabel, u"TRIGGER_SHIFT", &S::labelShift),
    Flag(G::Label, kLabel, u"TRIGGER_ALT", &S::labelAlt),
    Text(G::Label, kLabel, u"FONT_FACE_NAME", &S::labelFontFace),
    Int(G::Label, kLabel, u"FONT_HEIGHT", R::None, &S::labelFontHeight),
    Int(G::Label, kLabel, u"FONT_WIDTH", R::None, &S::labelFontWidth),
    Int(G::Label, kLabel, u"FONT_WEIGHT", R::None, &S::labelFontWeight),
    Int(G::Label, kLabel, u"FONT_ITALIC", R::LowByte, &S::labelFontItalic),
    Int(G::Label, kLabel, u"FONT_CHARSET", R::LowByte, &S::labelFontCharset),
    Int(G::Label, kLabel, u"FONT_COLOR_IDX", R::ResetOutside, &S::labelFontColorIndex, 0, 2, 0),
    Int(G::Label, kLabel, u"FONT_OPT_RGB", R::None, &S::labelFontCustomColor),

    Flag(G::Trigger, kTrigger, u"ENABLED", &S::triggerEnabled),
    Flag(G::Trigger, kTrigger, u"TRIGGER_CTRL", &S::triggerCtrl),
    Flag(G::Trigger, kTrigger, u"TRIGGER_SHIFT", &S::triggerShift),
    Flag(G::Trigger, kTrigger, u"TRIGGER_ALT", &S::triggerAlt),
    // Below 1 the width becomes 250, not its default 200: kept as users' files know it.
    Int(G::Trigger, kTrigger, u"WND_WIDTH", R::ResetOutside, &S::triggerWidth, 1, kMax, 250),
    Int(G::Trigger, kTrigger, u"WND_HEIGHT", R::ResetOutside, &S::triggerHeight, 1, kMax, 200),
    Int(G::Trigger, kTrigger, u"WND_ALPHA", R::Clamp, &S::triggerAlpha, 1, 255),

    Int(G::MonitorPop, kMonitorPop, u"SHOW", R::ResetOutside, &S::monitorPopShow, -1, 4, 0),
    Int(G::MonitorPop, kMonitorPop, u"ALPHA", R::Clamp, &S::monitorPopAlpha, 1, 255),
    Text(G::MonitorPop, kMonitorPop, u"FONT_FACE_NAME", &S::monitorPopFontFace),
    Int(G::MonitorPop, kMonitorPop, u"FONT_HEIGHT", R::None, &S::monitorPopFontHeight),
    Int(G::MonitorPop, kMonitorPop, u"FONT_WIDTH", R::None, &S::monitorPopFontWidth),
    Int(G::MonitorPop, kMonitorPop, u"FONT_WEIGHT", R::None, &S::monitorPopFontWeight),
    Int(G::MonitorPop, kMonitorPop, u"FONT_ITALIC", R::LowByte, &S::monitorPopFontItalic),
    Int(G::MonitorPop, kMonitorPop, u"FONT_CHARSET", R::LowByte, &S::monitorPopFontCharset),
};

}  // namespace

std::span<const SettingDef> SettingDefinitions() { return kDefinitions; }

const Settings& DefaultSettings() {
  static const Settings defaults{};
  return defaults;
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
