// The notification area, message boxes and the main window's own services.
#pragma once

#include <windows.h>

#include "core/base/shell.h"
#include "win32/app/guardian.h"

namespace peekbar::win32 {

class Win32Shell final : public Shell {
 public:
  void SetMainWindow(HWND window) { mainWindow_ = window; }
  HWND MainWindow() const { return mainWindow_; }

  bool NotifyIcon(TrayAction action, const TrayIconRecord& record) override;
  void ShowMessageBox(WindowHandle owner, std::u16string_view text, MessageIcon icon) override;
  void StartTimer(std::uint32_t intervalMs) override;
  void StopTimer() override;
  void PostClose() override;
  std::u16string ExecutablePath() override;
  std::u16string UserName() override;
  void OpenDocument(const std::u16string& path) override;
  std::u16string StartupFolder() override;
  bool FileExists(const std::u16string& path) override;
  bool RemoveFile(const std::u16string& path) override;
  bool CreateShortcut(const std::u16string& linkPath, const std::u16string& target, const std::u16string& arguments,
                      const std::u16string& workingDirectory) override;
  bool StartGuardian() override { return guardian_.Start(mainWindow_); }

 private:
  HWND mainWindow_ = nullptr;
  GuardianProcess guardian_;
};

// A start-up failure: a box with no owner, before any window exists.
void ShowStartupError(std::u16string_view text);

}  // namespace peekbar::win32
