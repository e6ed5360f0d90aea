// The rest of the system the core talks to: the notification area, message
// boxes, the main window's timer and lifetime, the process's own identity.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/base/desktop.h"

namespace peekbar {

// The parts of a NOTIFYICONDATAW record the program fills.
struct TrayIconRecord {
  static constexpr std::uint32_t kMessage = 0x1;  // NIF_MESSAGE
  static constexpr std::uint32_t kIcon = 0x2;     // NIF_ICON
  static constexpr std::uint32_t kTip = 0x4;      // NIF_TIP
  static constexpr std::uint32_t kInfo = 0x10;    // NIF_INFO

  std::uint32_t flags = 0;
  int iconResource = 0;      // icon group resource id, loaded shared
  std::u16string tip;        // at most 127 units
  std::uint32_t infoFlags = 0;
  std::u16string infoTitle;  // at most 63 units
  std::u16string info;       // at most 255 units
};

enum class TrayAction : std::uint8_t { Add, Modify, Delete };

enum class MessageIcon : std::uint8_t { Information, Error };

class Shell {
 public:
  Shell() = default;
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;
  virtual ~Shell() = default;

  // Shell_NotifyIconW for the main window's icon 1.
  virtual bool NotifyIcon(TrayAction action, const TrayIconRecord& record) = 0;
  // A modal message box captioned "Peekbar"; owner kNoWindow for none.
  virtual void ShowMessageBox(WindowHandle owner, std::u16string_view text, MessageIcon icon) = 0;

  virtual void StartTimer(std::uint32_t intervalMs) = 0;
  virtual void StopTimer() = 0;
  virtual void PostClose() = 0;

  // The executable's full path ("" when it cannot be fetched) and the user name.
  virtual std::u16string ExecutablePath() = 0;
  virtual std::u16string UserName() = 0;

  // Opens a file with its associated program ("open" verb); not examined.
  virtual void OpenDocument(const std::u16string& path) = 0;
  // The user's Startup folder, "" when it cannot be had.
  virtual std::u16string StartupFolder() = 0;
  virtual bool FileExists(const std::u16string& path) = 0;
  virtual bool RemoveFile(const std::u16string& path) = 0;
  // A shell link (.lnk) to the target, started in workingDirectory with the
  // arguments (none when empty), shown normally, with the target's first icon.
  virtual bool CreateShortcut(const std::u16string& linkPath, const std::u16string& target,
                              const std::u16string& arguments, const std::u16string& workingDirectory) = 0;
  // Starts the guardian of this instance (the same program in its guardian
  // mode); false when it could not be started. Its end is reported to
  // App::OnGuardianEnded.
  virtual bool StartGuardian() = 0;
};

}  // namespace peekbar
