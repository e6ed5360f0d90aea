#include "win32/app/win32_dialogs.h"

#include "resource.h"
#include "win32/app/modal_dialog.h"
#include "win32/app/wide.h"

namespace peekbar::win32 {

// The keyword of one location, titled with the location.
std::optional<KeywordChoice> Win32Dialogs::AskKeyword(std::u16string_view title, const KeywordChoice& current) {
  FixedText<kKeywordUnits> keyword = current.keyword;
  bool isRegex = current.regex;
  const auto fill = [&](HWND dialog) {
    const std::wstring caption = WideString(title);
    SetWindowTextW(dialog, caption.c_str());
    SendDlgItemMessageW(dialog, IDC_KEYWORD_EDIT, EM_LIMITTEXT, kKeywordUnits - 1, 0);
    SetDlgItemTextW(dialog, IDC_KEYWORD_EDIT, reinterpret_cast<const wchar_t*>(keyword.CStr()));
    CheckRadioButton(dialog, IDC_KEYWORD_WILDCARD, IDC_KEYWORD_REGEX,
                     isRegex ? IDC_KEYWORD_REGEX : IDC_KEYWORD_WILDCARD);
  };
  const auto take = [&](HWND dialog) {
    wchar_t text[kKeywordUnits] = {};
    const UINT length = GetDlgItemTextW(dialog, IDC_KEYWORD_EDIT, text, kKeywordUnits);
    keyword = Utf16(text, length);
    isRegex = IsDlgButtonChecked(dialog, IDC_KEYWORD_REGEX) == BST_CHECKED;
  };
  if (!RunModalDialog(Instance(), Owner(), IDD_KEYWORD, fill, take)) return std::nullopt;
  return KeywordChoice{keyword, isRegex};
}

}  // namespace peekbar::win32
