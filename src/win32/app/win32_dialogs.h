// Asking the user on Windows: the program's dialogs and sheets, and the
// system's choosers, owned by the main window. Each dialog's module defines
// the method that runs it; the choosers are in win32_dialogs.cpp.
#pragma once

#include <windows.h>

#include <array>

#include "core/base/dialogs.h"
#include "core/registration/registration_sheet.h"
#include "win32/app/win32_shell.h"

namespace peekbar::win32 {

// The colour chooser's sixteen custom colours, kept for the run (not saved).
using CustomColours = std::array<COLORREF, 16>;

// The system's choosers, owned by `owner`: screen fonts, and colours with
// the full chooser open.
std::optional<FontRecord> ChooseScreenFont(HWND owner, const FontRecord& current);
std::optional<Color> ChooseColour(HWND owner, Color initial, CustomColours& custom);

class Win32Dialogs final : public Dialogs, public RegistrationSheetView {
 public:
  explicit Win32Dialogs(Win32Shell& shell) : shell_(shell) {}

  std::optional<KeywordChoice> AskKeyword(std::u16string_view title, const KeywordChoice& current) override;
  std::optional<FixedText<kTitleUnits>> AskProfileName(const FixedText<kTitleUnits>& current) override;
  std::optional<int> AskStartupDelay() override;
  std::optional<std::int32_t> AskMonitorPopAlpha(std::int32_t current) override;
  std::optional<FontRecord> PickFont(const FontRecord& current) override;
  std::optional<Color> PickColor(WindowHandle owner, Color initial) override;
  std::optional<Settings> EditOptions(const Settings& current) override;
  std::optional<Settings> EditGuidesAndLabels(const Settings& current, LabelChoices& live) override;
  std::optional<Settings> EditTriggerSettings(const Settings& current) override;
  std::optional<Hotkey> AskHotkey(Hotkey current, const LocationHotkeyCheck& check) override;
  std::optional<GlobalHotkeys> AskGlobalHotkeys(const GlobalHotkeys& current, const GlobalHotkeysCheck& check) override;
  void ShowAbout() override;
  void Run(RegistrationSheet& sheet) override;

 private:
  HWND Owner() const { return shell_.MainWindow(); }
  static HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

  Win32Shell& shell_;
  // The guide colours and the label text colour each have their own.
  CustomColours guideColours_ = {};
  CustomColours labelColours_ = {};
};

}  // namespace peekbar::win32
