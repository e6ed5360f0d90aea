// The trigger window: a small map of the pointer's monitor that comes up at
// the pointer while the trigger keys are held, with a tip naming the window
// under the pointer. The decisions are the core's (overlays/trigger.h).
#pragma once

#include <windows.h>

#include "core/base/state.h"
#include "core/overlays/trigger.h"

namespace peekbar::win32 {

inline constexpr wchar_t kTriggerWindowClass[] = L"PEEKBAR_TRIGGER";

class TriggerWindow {
 public:
  void Attach(AppState& state, TriggerActions& actions) {
    state_ = &state;
    actions_ = &actions;
  }

  // The keys changed: up when all selected keys are down (unless sent
  // away), hidden and allowed to come up again when one is released.
  void FollowKeys();
  // The pointer left the window: it goes away until the keys are released.
  void DismissWhenLeft(Point pointer);
  // The tip follows the cell under the pointer.
  void UpdateTip(Point pointer);
  // Raises the window and its tip again over a window its cells brought up
  // that has come over them.
  void StayAboveShownWindows();
  // The window and its tip are closed; made anew when next needed.
  void Close();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool Visible() const;
  void BringUp();
  void Hide();
  void CloseTip();
  // To the top of the topmost windows, the tip above the window.
  void RaiseWithTip(UINT windowFlags);
  void Paint();
  void Click(Point client);
  int CellUnderPointer() const;

  AppState* state_ = nullptr;
  TriggerActions* actions_ = nullptr;
  HWND window_ = nullptr;
  HWND tip_ = nullptr;
  TriggerState trigger_;
};

}  // namespace peekbar::win32
