#include "win32/settings/small_dialogs.h"

#include <commctrl.h>

#include "win32/app/modal_dialog.h"
#include "win32/app/wide.h"
#include "resource.h"

namespace peekbar::win32 {
namespace {

// A number in an edit with an up-down control (the start-up delay, the
// captions' opacity): the up-down clamps what is typed to its range, and
// its position is read as the signed 16-bit number the control reports.
bool RunSpinDialog(HINSTANCE instance, HWND owner, int templateId, int spinId, int low, int high, int& value) {
  const auto fill = [&](HWND dialog) {
    SendDlgItemMessageW(dialog, spinId, UDM_SETRANGE32, low, high);
    SendDlgItemMessageW(dialog, spinId, UDM_SETPOS32, 0, value);
  };
  const auto take = [&](HWND dialog) {
    value = static_cast<short>(SendDlgItemMessageW(dialog, spinId, UDM_GETPOS32, 0, 0));
  };
  return RunModalDialog(instance, owner, templateId, fill, take);
}

}  // namespace

bool RunProfileNameDialog(HINSTANCE instance, HWND owner, FixedText<kTitleUnits>& name) {
  const auto fill = [&](HWND dialog) {
    SendDlgItemMessageW(dialog, IDC_PROFILE_NAME_EDIT, EM_LIMITTEXT, kTitleUnits - 1, 0);
    SetDlgItemTextW(dialog, IDC_PROFILE_NAME_EDIT, reinterpret_cast<const wchar_t*>(name.CStr()));
  };
  const auto take = [&](HWND dialog) {
    wchar_t text[kTitleUnits] = {};
    const UINT length = GetDlgItemTextW(dialog, IDC_PROFILE_NAME_EDIT, text, kTitleUnits);
    name = Utf16(text, length);
  };
  return RunModalDialog(instance, owner, IDD_PROFILE_NAME, fill, take);
}

bool RunStartupDelayDialog(HINSTANCE instance, HWND owner, int& seconds) {
  seconds = 0;
  if (!RunSpinDialog(instance, owner, IDD_STARTUP_DELAY, IDC_STARTUP_DELAY_SPIN, 0, 32767, seconds)) return false;
  if (seconds < 0) seconds = 0;
  return true;
}

bool RunMonitorPopAlphaDialog(HINSTANCE instance, HWND owner, int& alpha) {
  return RunSpinDialog(instance, owner, IDD_MONITOR_POP_ALPHA, IDC_MONITOR_POP_ALPHA_SPIN, 1, 255, alpha);
}

}  // namespace peekbar::win32
