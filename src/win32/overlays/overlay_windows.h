// The overlay windows on Windows: the guide bars with their labels, the
// trigger window with its tip and the monitor-number captions, shown as the
// core's frames have them.
#pragma once

#include <windows.h>

#include <vector>

#include "core/overlays/overlay_view.h"
#include "win32/overlays/guide_window.h"
#include "win32/overlays/trigger_window.h"

namespace peekbar::win32 {

class Win32Overlays final : public OverlayView {
 public:
  // What the trigger window reports to; set once the program exists.
  void Attach(TriggerReports& reports) { trigger_.Attach(reports); }

  void Show(const OverlayFrame& frame) override {
    guides_.Apply(frame.guides);
    trigger_.Apply(frame.trigger);
  }
  void CloseGuides() override { guides_.Close(); }
  void CloseTrigger() override { trigger_.Close(); }
  void RaiseTrigger(bool activate) override { trigger_.Raise(activate); }
  bool IsAboveTrigger(WindowHandle window) override;
  void LabelFontChanged(const FontRecord& font) override;
  Extent MeasureText(std::u16string_view text, const FontRecord& font, std::uint32_t dpi) override;
  std::int32_t CursorHeight(std::uint32_t dpi) override;
  void MakeMonitorPopups(const MonitorPopupsView& popups) override;
  void ShowMonitorPopups(bool show) override;

 private:
  GuideWindows guides_;
  TriggerWindow trigger_;
  std::vector<HWND> popups_;
};

}  // namespace peekbar::win32
