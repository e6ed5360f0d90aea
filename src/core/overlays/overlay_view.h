// What the overlays show, as the core decides it, and the port through which
// the Windows side shows it: it makes, moves, shows and hides its windows
// as a frame says, paints them from it, and reports what the user does on
// the trigger window. It decides nothing itself.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/geometry.h"
#include "core/base/settings.h"
#include "core/overlays/guides.h"
#include "core/overlays/trigger.h"

namespace peekbar {

// A location's bar on its monitor's guide, with its label.
struct GuideBarView {
  int location = 0;
  GuideBar bar;  // client coordinates
  Color color = 0;
  // The registered window's title, written beside the bar in `labelColor`
  // on `color`; empty for no label. Down the bar on the left and right edges.
  std::u16string label;
  Color labelColor = 0;
  friend bool operator==(const GuideBarView&, const GuideBarView&) = default;
};

// One monitor's guide: a click-through overlay over the whole monitor,
// drawn at the monitor's DPI.
struct GuideView {
  Rect monitor;  // screen coordinates
  std::uint32_t dpi = kDefaultDpi;  // the labels' font is made at it
  std::int32_t width = 1;  // GUIDE_WIDTH at that DPI: the bars' depth, which places the labels
  std::vector<GuideBarView> bars;  // in paint order
  // A full-screen program covers its monitor: the guide stays down while
  // the others are up.
  bool quiet = false;
  friend bool operator==(const GuideView&, const GuideView&) = default;
};

struct GuidesView {
  // Per monitor slot; none where the slot has no guide (no condition wants
  // guides, or its monitor is detached).
  std::vector<std::optional<GuideView>> monitors;
  bool visible = false;  // all together, but for a quiet one
  std::int32_t alpha = 255;
  friend bool operator==(const GuidesView&, const GuidesView&) = default;
};

// The tip over the trigger window, in the label font at the trigger
// window's DPI, fully opaque.
struct TriggerTipView {
  std::u16string text;  // empty: no tip
  Color textColor = 0;
  Color background = 0;
  Point at;  // top-left corner, screen coordinates
  friend bool operator==(const TriggerTipView&, const TriggerTipView&) = default;
};

inline constexpr std::size_t kTriggerCellCount = kTriggerGridSize * kTriggerGridSize;

struct TriggerView {
  bool visible = false;
  Rect rect;  // screen coordinates; its size is the window's
  // The DPI of the monitor it came up on, which its size and the tip's
  // font are scaled to.
  std::uint32_t dpi = kDefaultDpi;
  std::int32_t alpha = 255;
  // Row by row, left to right.
  std::array<TriggerCellLook, kTriggerCellCount> cells{};
  TriggerTipView tip;
  friend bool operator==(const TriggerView&, const TriggerView&) = default;
};

struct OverlayFrame {
  GuidesView guides;
  TriggerView trigger;
  friend bool operator==(const OverlayFrame&, const OverlayFrame&) = default;
};

// The monitor-number captions, black on white, one per attached monitor
// when there are several.
struct MonitorPopupView {
  std::u16string text;
  Point at;  // top-left corner, screen coordinates
  std::uint32_t dpi = kDefaultDpi;  // its monitor's: the font is made at it
};
struct MonitorPopupsView {
  std::vector<MonitorPopupView> popups;
  FontRecord font;
  std::int32_t alpha = 255;
};

struct Extent {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

class OverlayView {
 public:
  OverlayView() = default;
  OverlayView(const OverlayView&) = delete;
  OverlayView& operator=(const OverlayView&) = delete;
  virtual ~OverlayView() = default;

  // Every overlay as the frame has it; a window it needs is made, one it
  // no longer has is closed. Told only when something changed.
  virtual void Show(const OverlayFrame& frame) = 0;
  // The guides closed (the monitors moved, another profile): made anew,
  // where the next frame puts them.
  virtual void CloseGuides() = 0;
  // The trigger window and its tip closed: made anew, in the size and
  // opacity of the frame that next shows it.
  virtual void CloseTrigger() = 0;
  // The trigger window, and its tip above it, to the top of the topmost
  // windows again; activated too after a click of its own, as the clicked
  // window is.
  virtual void RaiseTrigger(bool activate) = 0;
  // Whether the window stands above the trigger window.
  virtual bool IsAboveTrigger(WindowHandle window) = 0;
  // The labels and the tip are written in this font from now on.
  virtual void LabelFontChanged(const FontRecord& font) = 0;
  // The size of a tip or caption holding the text in the font, as chosen
  // at the system's DPI, made for a monitor at `dpi`.
  virtual Extent MeasureText(std::u16string_view text, const FontRecord& font, std::uint32_t dpi) = 0;
  // The height of the pointer's shape on a monitor at `dpi`.
  virtual std::int32_t CursorHeight(std::uint32_t dpi) = 0;
  // The monitor-number captions made anew, hidden, in place of the old
  // ones; shown all together while the tray menu is open.
  virtual void MakeMonitorPopups(const MonitorPopupsView& popups) = 0;
  virtual void ShowMonitorPopups(bool show) = 0;
};

// What the user does on the trigger window, as its window reports it.
class TriggerReports {
 public:
  virtual ~TriggerReports() = default;
  // Client coordinates of the window.
  virtual void TriggerPointerMoved(Point client) = 0;
  virtual void TriggerClicked(Point client, bool rightButton) = 0;
};

}  // namespace peekbar
