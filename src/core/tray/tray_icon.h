// The notification-area icon: which image it shows, its tip, and what its
// mouse notifications ask for.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/base/shell.h"
#include "core/base/state.h"

namespace peekbar {

enum class TrayIconState : std::uint8_t { Running, Paused, ShowingAll };

inline constexpr std::size_t kTipUnits = 128;  // szTip, NUL included
inline constexpr int kTrayIconId = 1;
inline constexpr std::uint32_t kTrayCallbackMessage = 0x8000;  // WM_APP

// Icon group resources.
inline constexpr int kIconApplication = 101;
inline constexpr int kIconAboutPicture = 102;
inline constexpr int kIconPausedGrey = 103;
inline constexpr int kIconShowingAllRed = 104;
inline constexpr int kIconSilhouetteWhite = 105;
inline constexpr int kIconSilhouetteBlack = 106;
inline constexpr int kIconSilhouetteBlue = 107;
inline constexpr int kIconSilhouetteRed = 108;

TrayIconState CurrentTrayIconState(const AppState& state);
int TrayIconResource(TrayIconState iconState, std::int32_t trayIconColor);
// "%s - Peekbar Ver1.05" with the profile name, cut to what the tip holds.
std::u16string TrayTipText(std::u16string_view profileName);

// Mouse messages the icon reports in lParam.
namespace tray_mouse {
inline constexpr std::uint32_t kLeftButtonUp = 0x0202;        // WM_LBUTTONUP
inline constexpr std::uint32_t kLeftButtonDoubleClick = 0x0203;  // WM_LBUTTONDBLCLK
inline constexpr std::uint32_t kRightButtonUp = 0x0205;       // WM_RBUTTONUP
inline constexpr std::uint32_t kMiddleButtonUp = 0x0208;      // WM_MBUTTONUP
}  // namespace tray_mouse

enum class TrayRequest : std::uint8_t { None, ForegroundMainWindow, ShowMenu, ApplyAllKeywords, ToggleShowAll };

// What a notification asks for; only icon 1 is served, and every action
// happens on a button's release or on the left double-click.
TrayRequest DecodeTrayNotify(std::uintptr_t iconId, std::uint32_t mouseMessage, std::int32_t trayOperationReverse);

// The one icon record of the program.
class TrayIcon {
 public:
  TrayIcon(AppState& state, Shell& shell) : state_(state), shell_(shell) {}

  // Adds the icon with the image of the current state and the selected
  // profile's tip: one call to the shell, which may be slow to answer, and
  // a change of the icon when the add reports failure.
  bool AddTrayIcon();
  void SetTrayIconState(TrayIconState iconState);
  // The tip names the selected profile; the image, in the same call to the
  // shell, takes that profile's colour. Nothing happens before the icon was
  // added.
  void UpdateTrayTip();
  void Remove();
  bool Added() const { return added_; }

 private:
  std::u16string SelectedProfileTip() const;

  AppState& state_;
  Shell& shell_;
  TrayIconRecord record_;
  bool added_ = false;  // the record's size is set once the first add was tried
};

}  // namespace peekbar
