#include "win32/registration/keyword_dialog.h"

#include "win32/app/modal_dialog.h"
#include "win32/app/wide.h"
#include "resource.h"

namespace peekbar::win32 {

bool RunKeywordDialog(HINSTANCE instance, HWND owner, std::u16string_view title,
                      FixedText<kKeywordUnits>& keyword, std::int32_t& isRegex) {
  const auto fill = [&](HWND dialog) {
    const std::wstring caption = WideString(title);
    SetWindowTextW(dialog, caption.c_str());
    SendDlgItemMessageW(dialog, IDC_KEYWORD_EDIT, EM_LIMITTEXT, kKeywordUnits - 1, 0);
    SetDlgItemTextW(dialog, IDC_KEYWORD_EDIT, reinterpret_cast<const wchar_t*>(keyword.CStr()));
    CheckRadioButton(dialog, IDC_KEYWORD_WILDCARD, IDC_KEYWORD_REGEX,
                     isRegex != 0 ? IDC_KEYWORD_REGEX : IDC_KEYWORD_WILDCARD);
  };
  const auto take = [&](HWND dialog) {
    wchar_t text[kKeywordUnits] = {};
    const UINT length = GetDlgItemTextW(dialog, IDC_KEYWORD_EDIT, text, kKeywordUnits);
    keyword = Utf16(text, length);
    isRegex = IsDlgButtonChecked(dialog, IDC_KEYWORD_REGEX) == BST_CHECKED ? 1 : 0;
  };
  return RunModalDialog(instance, owner, IDD_KEYWORD, fill, take);
}

}  // namespace peekbar::win32
