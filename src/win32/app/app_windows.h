// The windows the program keeps besides the main window: the popup menu,
// the dialogs and the overlays, as the core asks for them.
#pragma once

#include <windows.h>

#include "core/app/app.h"
#include "win32/app/win32_shell.h"
#include "win32/overlays/guide_window.h"

namespace peekbar::win32 {

class Win32AppWindows final : public AppWindows {
 public:
  explicit Win32AppWindows(Win32Shell& shell) : shell_(shell) {}
  // The state the overlays show; set once the program's state exists.
  void Attach(AppState& state) {
    state_ = &state;
    guides_.Attach(state);
  }

  void TrackTrayMenu(const MenuItem& menu, Point at) override;
  void ShowMonitorNumberPopups(bool show) override;
  void RebuildMonitorNumberPopups() override;
  void CreateGuideWindows() override;
  void CloseGuideWindows() override;
  bool RunKeywordDialog(std::u16string_view title, FixedText<kKeywordUnits>& keyword,
                        std::int32_t& isRegex) override;
  bool EditProfileName(FixedText<kTitleUnits>& name) override;
  bool AskStartupDelay(int& seconds) override;
  bool AskMonitorPopAlpha(std::int32_t& alpha) override;
  bool PickFont(FontRecord& font) override;
  std::optional<Color> PickColor(WindowHandle owner, Color initial) override;
  void InvalidateGuide(int monitor) override;
  bool ShowOptionsSheet(Settings& options) override;
  void RunRegistrationSheet(RegistrationSheet& sheet) override;

  void DismissTriggerWhenLeft(Point pointer) override;
  void UpdateGuideVisibility(Point pointer) override;
  void UpdateTriggerTip(Point pointer) override;
  void UpdateTriggerWindowForKeys() override;
  void InvalidateVisibleGuides() override;
  void CloseTriggerWindowAndTip() override;

  void RebuildLabelFonts() override;
  void RefreshGuideWindows() override;
  void HideGuideWindows() override;

 private:
  Win32Shell& shell_;
  AppState* state_ = nullptr;
  COLORREF customColors_[16] = {};  // the colour chooser's custom colours, kept for the run
  GuideWindows guides_;
};

}  // namespace peekbar::win32
