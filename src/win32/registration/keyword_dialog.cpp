#include "registration/keyword_dialog.h"

#include "app/dialog_icon.h"
#include "app/wide.h"
#include "resource.h"

namespace peekbar::win32 {
namespace {

struct KeywordDialogData {
  std::u16string_view title;
  FixedText<kKeywordUnits>& keyword;
  std::int32_t& isRegex;
};

void InitDialog(HWND dialog, const KeywordDialogData& data) {
  TakeOwnersIcon(dialog);
  const std::wstring title = WideString(data.title);
  SetWindowTextW(dialog, title.c_str());
  SendDlgItemMessageW(dialog, IDC_KEYWORD_EDIT, EM_LIMITTEXT, kKeywordUnits - 1, 0);
  SetDlgItemTextW(dialog, IDC_KEYWORD_EDIT, reinterpret_cast<const wchar_t*>(data.keyword.CStr()));
  CheckRadioButton(dialog, IDC_KEYWORD_WILDCARD, IDC_KEYWORD_REGEX,
                   data.isRegex != 0 ? IDC_KEYWORD_REGEX : IDC_KEYWORD_WILDCARD);
}

void TakeOver(HWND dialog, KeywordDialogData& data) {
  wchar_t text[kKeywordUnits] = {};
  const UINT length = GetDlgItemTextW(dialog, IDC_KEYWORD_EDIT, text, kKeywordUnits);
  data.keyword = Utf16(text, length);
  data.isRegex = IsDlgButtonChecked(dialog, IDC_KEYWORD_REGEX) == BST_CHECKED ? 1 : 0;
}

INT_PTR CALLBACK KeywordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* data = reinterpret_cast<KeywordDialogData*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      InitDialog(dialog, *reinterpret_cast<KeywordDialogData*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        TakeOver(dialog, *data);
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

bool RunKeywordDialog(HINSTANCE instance, HWND owner, std::u16string_view title,
                      FixedText<kKeywordUnits>& keyword, std::int32_t& isRegex) {
  KeywordDialogData data{title, keyword, isRegex};
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_KEYWORD), owner, &KeywordDialogProc,
                         reinterpret_cast<LPARAM>(&data)) == 1;
}

}  // namespace peekbar::win32
