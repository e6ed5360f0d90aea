// What Peekbar shows to the outside: the names and numbers another program
// can use to find and drive it.
#pragma once

#include <windows.h>

namespace e2e::peekbar {

inline constexpr wchar_t kMainWindowClass[] = L"PEEKBAR_MAIN";
inline constexpr wchar_t kMainWindowTitle[] = L"Peekbar";
inline constexpr wchar_t kMessageBoxCaption[] = L"Peekbar";
inline constexpr wchar_t kInstanceMutexName[] = L"「Peekbar」の多重起動確認用ミューテックス";
inline constexpr UINT kTrayIconId = 1;

// Exit code of a refused or failed start (−1).
inline constexpr DWORD kFailedExitCode = 0xFFFFFFFF;

// Tray-menu commands, sent as WM_COMMAND to the main window.
namespace command {
inline constexpr WORD kExit = 1001;
inline constexpr WORD kToggleTriggerWindow = 1037;
inline constexpr WORD kToggleTriggerCtrl = 1038;
inline constexpr WORD kToggleTriggerShift = 1039;
inline constexpr WORD kToggleTriggerAlt = 1040;
inline constexpr WORD kTrayIconNormal = 1044;  // TRAY_ICON_COLOR 0
inline constexpr WORD kTrayIconWhite = 1045;   // TRAY_ICON_COLOR 1
inline constexpr WORD kTrayIconBlack = 1046;   // TRAY_ICON_COLOR 2
inline constexpr WORD kMonitorPopHidden = 1100;  // 1100..1105: MONITOR_POP SHOW −1..4
inline constexpr WORD kFirstProfile = 1200;      // 1200 + k selects profile k
}  // namespace command

}  // namespace e2e::peekbar
