// Asking the user on Windows: the program's dialogs and sheets, and the
// system's choosers, owned by the main window. Each dialog's module defines
// the method that runs it; the choosers are in dialogs.cpp.
#pragma once

#include <windows.h>

#include "core/base/dialogs.h"
#include "core/registration/registration_sheet.h"
#include "win32/app/win32_shell.h"

namespace peekbar::win32 {

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
  void Run(RegistrationSheet& sheet) override;

 private:
  HWND Owner() const { return shell_.MainWindow(); }
  static HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

  Win32Shell& shell_;
  COLORREF customColors_[16] = {};  // the colour chooser's custom colours, kept for the run
};

}  // namespace peekbar::win32
