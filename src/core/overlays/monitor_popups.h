// The monitor-number captions shown on every monitor while the tray menu is
// open, so the user can tell which monitor "モニター%u" stands for.
#pragma once

#include <cstdint>
#include <string>

#include "core/base/dialogs.h"
#include "core/base/geometry.h"
#include "core/base/state.h"
#include "core/base/text.h"
#include "core/settings/settings_file.h"

namespace peekbar {

// Top-left corner of a w x h caption on its monitor for MONITOR_POP SHOW:
// 1 top left, 2 top right, 3 bottom left, 4 bottom right, otherwise centred.
Point MonitorPopupPosition(const Rect& monitor, std::int32_t width, std::int32_t height, std::int32_t show);

// The caption of monitor index m.
std::u16string MonitorPopupText(int monitor);

// The opacity the transparency dialog stores for what the user entered.
std::int32_t ClampMonitorPopAlpha(std::int32_t entered);

// The captions' settings as the menu changes them; every change writes the
// MONITOR_POP section, and with it the captions are made anew.
class MonitorPopups {
 public:
  MonitorPopups(AppState& state, SettingsFile& file, Dialogs& dialogs) : state_(state), file_(file), dialogs_(dialogs) {}

  // SHOW: -1 hidden, 0 centred, 1..4 a corner.
  void SetPosition(std::int32_t show);
  void AskOpacity();
  void ChooseFont();

 private:
  AppState& state_;
  SettingsFile& file_;
  Dialogs& dialogs_;
};

}  // namespace peekbar
