// The overlay windows the Windows side keeps for the program: the guide bars
// with their labels and the monitor-number captions. What they do on every
// tick is told through the engine's overlay hooks.
#pragma once

namespace peekbar {

class OverlayWindows {
 public:
  OverlayWindows() = default;
  OverlayWindows(const OverlayWindows&) = delete;
  OverlayWindows& operator=(const OverlayWindows&) = delete;
  virtual ~OverlayWindows() = default;

  // Every monitor's guide that is not there yet, hidden (shown with ALWAYS_SHOW).
  virtual void CreateGuideWindows() = 0;
  virtual void CloseGuideWindows() = 0;
  virtual void HideGuideWindows() = 0;
  // Every guide takes GUIDE_ALPHA again and repaints.
  virtual void RefreshGuideWindows() = 0;
  // The monitor's guide repaints (its colours or labels changed).
  virtual void InvalidateGuide(int monitor) = 0;
  // The label fonts made anew from the LABEL font record.
  virtual void RebuildLabelFonts() = 0;
  virtual void RebuildMonitorNumberPopups() = 0;
  virtual void ShowMonitorNumberPopups(bool show) = 0;
};

}  // namespace peekbar
