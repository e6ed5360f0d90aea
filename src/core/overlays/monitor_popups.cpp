#include "core/overlays/monitor_popups.h"

namespace peekbar {

Point MonitorPopupPosition(const Rect& m, std::int32_t w, std::int32_t h, std::int32_t show) {
  switch (show) {
    case 1: return {m.left, m.top};
    case 2: return {m.right - w, m.top};
    case 3: return {m.left, m.bottom - h};
    case 4: return {m.right - w, m.bottom - h};
    default: return {(m.left + m.right - w) / 2, (m.top + m.bottom - h) / 2};
  }
}

std::u16string MonitorPopupText(int monitor) { return u"モニター" + DecimalText(monitor + 1); }

std::int32_t ClampMonitorPopAlpha(std::int32_t entered) {
  // The dialog's up-down position arrives as a signed 16-bit number.
  const auto position = static_cast<std::int16_t>(entered);
  if (position <= 0) return 1;
  return position >= 256 ? 255 : position;
}

void MonitorPopups::SetPosition(std::int32_t show) {
  state_.settings.monitorPopShow = show;
  file_.SaveMonitorPopSettings(state_.mainWindow);
}

void MonitorPopups::AskOpacity() {
  const std::optional<std::int32_t> alpha = dialogs_.AskMonitorPopAlpha(state_.settings.monitorPopAlpha);
  if (!alpha) return;
  state_.settings.monitorPopAlpha = ClampMonitorPopAlpha(*alpha);
  file_.SaveMonitorPopSettings(state_.mainWindow);
}

void MonitorPopups::ChooseFont() {
  const std::optional<FontRecord> font = dialogs_.PickFont(state_.settings.monitorPopFont);
  if (!font) return;
  TakeFont(state_.settings, &Settings::monitorPopFont, *font);
  file_.SaveMonitorPopSettings(state_.mainWindow);
}

}  // namespace peekbar
