#include "win32/app/win32_dialogs.h"

#include "core/overlays/trigger.h"
#include "resource.h"
#include "win32/app/modal_dialog.h"
#include "win32/app/wide.h"
#include "win32/settings/bound_page.h"

namespace peekbar::win32 {
namespace {

// A number in an edit with an up-down control (the start-up delay, the
// captions' opacity), shown and read as the bound pages' numbers are: what
// the edit holds comes back as a signed 16-bit number, typed beyond the
// range or not, for the caller to bring into range.
bool RunSpinDialog(HINSTANCE instance, HWND owner, int templateId, int spinId, int low, int high, int& value) {
  const auto fill = [&](HWND dialog) {
    DialogControls controls(dialog);
    controls.SetRange(spinId, low, high);
    controls.SetPosition(spinId, value);
  };
  const auto take = [&](HWND dialog) { value = DialogControls(dialog).Position(spinId); };
  return RunModalDialog(instance, owner, templateId, fill, take);
}

}  // namespace

// The name of the selected profile.
std::optional<FixedText<kTitleUnits>> Win32Dialogs::AskProfileName(const FixedText<kTitleUnits>& current) {
  FixedText<kTitleUnits> name = current;
  const auto fill = [&](HWND dialog) {
    SendDlgItemMessageW(dialog, IDC_PROFILE_NAME_EDIT, EM_LIMITTEXT, kTitleUnits - 1, 0);
    SetDlgItemTextW(dialog, IDC_PROFILE_NAME_EDIT, reinterpret_cast<const wchar_t*>(name.CStr()));
  };
  const auto take = [&](HWND dialog) {
    wchar_t text[kTitleUnits] = {};
    const UINT length = GetDlgItemTextW(dialog, IDC_PROFILE_NAME_EDIT, text, kTitleUnits);
    name = Utf16(text, length);
  };
  if (!RunModalDialog(Instance(), Owner(), IDD_PROFILE_NAME, fill, take)) return std::nullopt;
  return name;
}

// Seconds the Startup shortcut makes the program wait, 0..32767.
std::optional<int> Win32Dialogs::AskStartupDelay() {
  int seconds = 0;
  if (!RunSpinDialog(Instance(), Owner(), IDD_STARTUP_DELAY, IDC_STARTUP_DELAY_SPIN, 0, 32767, seconds)) {
    return std::nullopt;
  }
  return seconds < 0 ? 0 : seconds;
}

// The monitor-number captions' opacity, 1..255 offered; what the control
// held is returned, clamping is the caller's.
std::optional<std::int32_t> Win32Dialogs::AskMonitorPopAlpha(std::int32_t current) {
  int alpha = current;
  if (!RunSpinDialog(Instance(), Owner(), IDD_MONITOR_POP_ALPHA, IDC_MONITOR_POP_ALPHA_SPIN, 1, 255, alpha)) {
    return std::nullopt;
  }
  return alpha;
}

// The trigger window's width, height and opacity.
std::optional<Settings> Win32Dialogs::EditTriggerSettings(const Settings& current) {
  Settings edited = current;
  const BoundPage& page = TriggerSettingsPage();
  const auto fill = [&](HWND dialog) {
    DialogControls controls(dialog);
    FillPage(page, edited, controls);
  };
  const auto take = [&](HWND dialog) { TakePage(page, DialogControls(dialog), edited); };
  if (!RunModalDialog(Instance(), Owner(), page.templateId, fill, take)) return std::nullopt;
  return edited;
}

}  // namespace peekbar::win32
