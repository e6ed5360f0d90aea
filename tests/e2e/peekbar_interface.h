// What Peekbar shows to the outside: the names and numbers another program
// can use to find and drive it.
#pragma once

#include <windows.h>

#include "core/base/state.h"
#include "core/tray/commands.h"

namespace e2e::peekbar {

inline constexpr wchar_t kMainWindowClass[] = L"PEEKBAR_MAIN";
inline constexpr wchar_t kMainWindowTitle[] = L"Peekbar";
inline constexpr wchar_t kMessageBoxCaption[] = L"Peekbar";
inline constexpr wchar_t kInstanceMutexName[] = L"「Peekbar」の多重起動確認用ミューテックス";
inline constexpr UINT kTrayIconId = 1;
// The tray icon's callback message to the main window: wParam the icon's
// identifier, lParam the mouse message.
inline constexpr UINT kTrayCallbackMessage = WM_APP;

// Exit code of a refused or failed start (−1).
inline constexpr DWORD kFailedExitCode = 0xFFFFFFFF;

// Tray-menu commands, sent as WM_COMMAND to the main window: Peekbar's own
// identifiers (command_id), and its layout of the location commands.
namespace command {
using namespace ::peekbar::command_id;

// Item k of the submenu of location `location` of monitor `monitor` (0 its
// keyword, 1 unregister, 2 its guide colour), while at most 15 monitors are
// attached.
inline WORD LocationCommand(int monitor, int location, int k) {
    return static_cast<WORD>(::peekbar::LocationCommandId(monitor, location, k));
}
// The item that picks candidate window `candidate`, as the menu lists them.
inline WORD PickCandidate(int monitor, int location, int candidate) {
    return LocationCommand(monitor, location, kLocationItems + candidate);
}
}  // namespace command

// Edge locations, clockwise from the top-left corner.
namespace location {
inline constexpr int kCount = ::peekbar::kLocationCount;
inline constexpr int kTopMiddle = 2;
inline constexpr int kRightMiddle = 6;
inline constexpr int kBottomMiddle = 10;
inline constexpr int kLeftMiddle = 14;
}  // namespace location

// Texts Peekbar shows in its message boxes.
namespace text {
inline constexpr wchar_t kAboutTitle[] = L"バージョン情報";
inline constexpr wchar_t kSoundLoadFailed[] = L"コマンド実行時に鳴らす音声ファイルの読み込みに失敗しました。";
inline constexpr wchar_t kShowAllOn[] =
    L"一時的に、登録してあるウィンドウを全て表示します。\n"
    L"「一時全箇所表示」をもう一度選択すると一時全箇所表示を解除します。";
inline constexpr wchar_t kShowAllOff[] = L"一時全箇所表示を解除しました。";
inline constexpr wchar_t kUnregisteredAll[] = L"全箇所のウィンドウの登録を解除しました。";
inline constexpr wchar_t kUnregisteredAllMonitors[] = L"全モニターの全箇所のウィンドウの登録を解除しました。";
inline constexpr wchar_t kAppliedAll[] = L"全箇所のキーワードを適用しました。";
inline constexpr wchar_t kAppliedAllMonitors[] = L"全モニターの全箇所のキーワードを適用しました。";
// Followed by the folder the journal went to.
inline constexpr wchar_t kJournalMoved[] =
    L"Peekbar.exe のフォルダーに書き込めないため、記録ファイルを次のフォルダーに作りました。\n\n";
}  // namespace text

}  // namespace e2e::peekbar
