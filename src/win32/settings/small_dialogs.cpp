#include "settings/small_dialogs.h"

#include <commctrl.h>

#include "app/dialog_icon.h"
#include "app/wide.h"
#include "resource.h"

namespace peekbar::win32 {
namespace {

INT_PTR CALLBACK ProfileNameProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* name = reinterpret_cast<FixedText<kTitleUnits>*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      TakeOwnersIcon(dialog);
      SendDlgItemMessageW(dialog, IDC_PROFILE_NAME_EDIT, EM_LIMITTEXT, kTitleUnits - 1, 0);
      SetDlgItemTextW(dialog, IDC_PROFILE_NAME_EDIT,
                      reinterpret_cast<const wchar_t*>(reinterpret_cast<FixedText<kTitleUnits>*>(lParam)->CStr()));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        wchar_t text[kTitleUnits] = {};
        const UINT length = GetDlgItemTextW(dialog, IDC_PROFILE_NAME_EDIT, text, kTitleUnits);
        *name = Utf16(text, length);
        EndDialog(dialog, 1);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

constexpr int kMaxStartupDelay = 32767;

INT_PTR CALLBACK StartupDelayProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* seconds = reinterpret_cast<int*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      TakeOwnersIcon(dialog);
      SendDlgItemMessageW(dialog, IDC_STARTUP_DELAY_SPIN, UDM_SETRANGE32, 0, kMaxStartupDelay);
      SendDlgItemMessageW(dialog, IDC_STARTUP_DELAY_SPIN, UDM_SETPOS32, 0, 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        // The position clamps what was typed to the range.
        const int position =
            static_cast<short>(SendDlgItemMessageW(dialog, IDC_STARTUP_DELAY_SPIN, UDM_GETPOS32, 0, 0));
        *seconds = position < 0 ? 0 : position;
        EndDialog(dialog, 1);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

bool RunProfileNameDialog(HINSTANCE instance, HWND owner, FixedText<kTitleUnits>& name) {
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_PROFILE_NAME), owner, &ProfileNameProc,
                         reinterpret_cast<LPARAM>(&name)) == 1;
}

bool RunStartupDelayDialog(HINSTANCE instance, HWND owner, int& seconds) {
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_STARTUP_DELAY), owner, &StartupDelayProc,
                         reinterpret_cast<LPARAM>(&seconds)) == 1;
}

}  // namespace peekbar::win32
