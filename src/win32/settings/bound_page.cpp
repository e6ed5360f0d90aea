#include "win32/settings/bound_page.h"

#include <commctrl.h>

#include <cstdint>
#include <string>

#include "core/base/text.h"
#include "win32/app/wide.h"

namespace peekbar::win32 {

bool DialogControls::IsChecked(int button) const { return IsDlgButtonChecked(dialog_, button) == BST_CHECKED; }

void DialogControls::SetChecked(int button, bool checked) {
  CheckDlgButton(dialog_, button, checked ? BST_CHECKED : BST_UNCHECKED);
}

void DialogControls::SetRange(int upDown, std::int32_t low, std::int32_t high) {
  SendDlgItemMessageW(dialog_, upDown, UDM_SETRANGE32, static_cast<WPARAM>(low), high);
}

// Read from the edit rather than asked of the up-down control, which answers
// a number typed beyond its range with its old position: the typed number is
// what the taker brings into range.
std::int32_t DialogControls::Position(int upDown) const {
  const auto edit = reinterpret_cast<HWND>(SendDlgItemMessageW(dialog_, upDown, UDM_GETBUDDY, 0, 0));
  wchar_t text[16] = {};
  const int length = GetWindowTextW(edit, text, 16);
  return static_cast<std::int16_t>(ParseLeadingInt(Utf16(text, static_cast<std::size_t>(length))));
}

void DialogControls::SetPosition(int upDown, std::int32_t position) {
  SendDlgItemMessageW(dialog_, upDown, UDM_SETPOS32, 0, position);
}

void DialogControls::AddItems(int list, std::span<const std::u16string_view> items) {
  for (const std::u16string_view item : items) {
    const std::wstring text = WideString(item);
    SendDlgItemMessageW(dialog_, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

int DialogControls::Selection(int list) const {
  return static_cast<int>(SendDlgItemMessageW(dialog_, list, CB_GETCURSEL, 0, 0));
}

void DialogControls::Select(int list, int item) {
  SendDlgItemMessageW(dialog_, list, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

void BoundSheetPage::Fill(HWND page) {
  DialogControls controls(page);
  FillPage(page_, edited_, controls);
}

void BoundSheetPage::Apply(HWND page) { TakePage(page_, DialogControls(page), edited_); }

bool BoundSheetPage::Command(HWND page, int control, int code) {
  if (code != BN_CLICKED && code != EN_UPDATE) return false;
  DialogControls controls(page);
  OnPageControl(page_, control, code == BN_CLICKED ? ControlEvent::Clicked : ControlEvent::Edited, controls,
                choosers_, edited_);
  return true;
}

}  // namespace peekbar::win32
