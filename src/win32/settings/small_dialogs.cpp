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

// A number in an edit with an up-down control (the start-up delay, the
// captions' opacity): the up-down clamps what is typed to its range.
struct SpinDialogData {
  int editId;
  int spinId;
  int low;
  int high;
  int* value;
};

INT_PTR CALLBACK SpinDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* data = reinterpret_cast<SpinDialogData*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      data = reinterpret_cast<SpinDialogData*>(lParam);
      TakeOwnersIcon(dialog);
      SendDlgItemMessageW(dialog, data->spinId, UDM_SETRANGE32, data->low, data->high);
      SendDlgItemMessageW(dialog, data->spinId, UDM_SETPOS32, 0, *data->value);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        // Read as the signed 16-bit number the control reports.
        *data->value = static_cast<short>(SendDlgItemMessageW(dialog, data->spinId, UDM_GETPOS32, 0, 0));
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

bool RunSpinDialog(HINSTANCE instance, HWND owner, int templateId, SpinDialogData data) {
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, &SpinDialogProc,
                         reinterpret_cast<LPARAM>(&data)) == 1;
}

}  // namespace

bool RunProfileNameDialog(HINSTANCE instance, HWND owner, FixedText<kTitleUnits>& name) {
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_PROFILE_NAME), owner, &ProfileNameProc,
                         reinterpret_cast<LPARAM>(&name)) == 1;
}

bool RunStartupDelayDialog(HINSTANCE instance, HWND owner, int& seconds) {
  seconds = 0;
  if (!RunSpinDialog(instance, owner, IDD_STARTUP_DELAY,
                     {IDC_STARTUP_DELAY_EDIT, IDC_STARTUP_DELAY_SPIN, 0, 32767, &seconds})) {
    return false;
  }
  if (seconds < 0) seconds = 0;
  return true;
}

bool RunMonitorPopAlphaDialog(HINSTANCE instance, HWND owner, int& alpha) {
  return RunSpinDialog(instance, owner, IDD_MONITOR_POP_ALPHA,
                       {IDC_MONITOR_POP_ALPHA_EDIT, IDC_MONITOR_POP_ALPHA_SPIN, 1, 255, &alpha});
}

}  // namespace peekbar::win32
