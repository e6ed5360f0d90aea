// The monitor-number captions shown on every monitor while the tray menu is
// open, so the user can tell which monitor "モニター%u" stands for.
#pragma once

#include <cstdint>
#include <string>

#include "core/base/geometry.h"
#include "core/base/text.h"

namespace peekbar {

// Top-left corner of a w x h caption on its monitor for MONITOR_POP SHOW:
// 1 top left, 2 top right, 3 bottom left, 4 bottom right, otherwise centred.
Point MonitorPopupPosition(const Rect& monitor, std::int32_t width, std::int32_t height, std::int32_t show);

// The caption of monitor index m.
std::u16string MonitorPopupText(int monitor);

// The opacity the transparency dialog stores for what the user entered.
std::int32_t ClampMonitorPopAlpha(std::int32_t entered);

}  // namespace peekbar
