// Telling the user things while the program runs: a balloon on the tray icon
// when BALLOON is set, a modal message box otherwise.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/base/operations.h"
#include "core/base/settings.h"
#include "core/base/shell.h"

namespace peekbar {

inline constexpr std::size_t kBalloonTextUnits = 256;   // szInfo, NUL included
inline constexpr std::size_t kBalloonTitleUnits = 64;   // szInfoTitle
inline constexpr std::uint32_t kBalloonInfo = 1;        // NIIF_INFO
inline constexpr std::uint32_t kBalloonError = 3;       // NIIF_ERROR

class UserMessages {
 public:
  UserMessages(Shell& shell, const Settings& settings, Operations& operations)
      : shell_(shell), settings_(settings), operations_(operations) {}

  void ShowInfoMessage(WindowHandle owner, std::u16string_view text) { Show(owner, text, MessageIcon::Information); }
  void ShowErrorMessage(WindowHandle owner, std::u16string_view text) { Show(owner, text, MessageIcon::Error); }
  // A message box whatever BALLOON says. A box is a modal loop: it comes up
  // once the operation under way has finished, never in its middle; then,
  // once it is answered, what follows it runs.
  void ShowMessageBox(WindowHandle owner, std::u16string_view text, MessageIcon icon,
                      std::function<void()> then = {});

  // The balloon record for a text: NIF_INFO with the text cut to 255 units.
  static TrayIconRecord BalloonRecord(std::u16string_view text, MessageIcon icon);

 private:
  void Show(WindowHandle owner, std::u16string_view text, MessageIcon icon);

  Shell& shell_;
  const Settings& settings_;
  Operations& operations_;
};

// Elevated windows: what the user is told, once per window, of a window
// whose program runs as administrator.
// Keywords pass it over.
std::u16string ElevatedWindowSkippedMessage(std::u16string_view title);
// Registered, it stayed on the screen: the registration was taken back.
std::u16string RegistrationRefusedMessage(std::u16string_view title);
// Chosen by the user where it is offered with its note: nothing registered.
std::u16string ElevatedWindowNotRegisteredMessage(std::u16string_view title);

// A location's keyword whose match with a window's label gave up, as it
// would take too long: the window counts as not matching. The location is
// named with its monitor when there are several; the keyword comes last,
// where a balloon cuts a long text.
std::u16string TooCostlyKeywordMessage(int monitor, int location, int monitorCount, std::u16string_view keyword);

}  // namespace peekbar
