#include "win32/settings/options_sheet.h"

#include <commctrl.h>

#include <iterator>
#include <string>

#include "win32/app/dialog_icon.h"
#include "win32/app/property_sheet.h"
#include "win32/app/wide.h"
#include "resource.h"
#include "core/settings/options.h"

namespace peekbar::win32 {
namespace {

// The check boxes follow one another from the first flag on; each row of
// the second page is an edit followed by its up-down control.
constexpr int kFlagBoxIds = IDC_OPTION_HIDE_TASKBAR;
constexpr int kRowIds = IDC_OPTION_CORNER_EDIT;
int EditId(std::size_t row) { return kRowIds + 2 * static_cast<int>(row); }
int SpinId(std::size_t row) { return EditId(row) + 1; }
constexpr std::size_t kCornerRow = 0;
constexpr std::size_t kMiddleRow = 1;

struct SheetData {
  Settings& options;
  bool applied;  // a page received the apply notification: OK was pressed
};

SheetData* DataOf(HWND page) { return reinterpret_cast<SheetData*>(GetWindowLongPtrW(page, DWLP_USER)); }

SheetData* Attach(HWND page, LPARAM initParam) {
  const LPARAM data = reinterpret_cast<const PROPSHEETPAGEW*>(initParam)->lParam;
  SetWindowLongPtrW(page, DWLP_USER, data);
  return reinterpret_cast<SheetData*>(data);
}

bool IsApply(LPARAM lParam) { return reinterpret_cast<const NMHDR*>(lParam)->code == PSN_APPLY; }

INT_PTR Applied(HWND page) {
  SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
  return TRUE;
}

OptionFlagBoxes ReadBoxes(HWND page) {
  OptionFlagBoxes boxes{};
  for (std::size_t i = 0; i < kOptionFlagCount; ++i) {
    boxes[i] = IsDlgButtonChecked(page, kFlagBoxIds + static_cast<int>(i)) == BST_CHECKED;
  }
  return boxes;
}

void ShowBoxes(HWND page, const OptionFlagBoxes& boxes) {
  for (std::size_t i = 0; i < kOptionFlagCount; ++i) {
    CheckDlgButton(page, kFlagBoxIds + static_cast<int>(i), boxes[i] ? BST_CHECKED : BST_UNCHECKED);
  }
}

INT_PTR CALLBACK FlagsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      ShowBoxes(page, OptionFlagsOf(Attach(page, lParam)->options));
      return TRUE;
    case WM_COMMAND: {
      const int box = LOWORD(wParam) - kFlagBoxIds;
      if (box < 0 || box >= static_cast<int>(kOptionFlagCount)) return FALSE;
      OptionFlagBoxes boxes = ReadBoxes(page);
      CoupleOptionFlags(boxes, static_cast<std::size_t>(box));
      ShowBoxes(page, boxes);
      return TRUE;
    }
    case WM_NOTIFY:
      if (!IsApply(lParam)) return FALSE;
      DataOf(page)->applied = true;
      TakeOptionFlags(DataOf(page)->options, ReadBoxes(page));
      return Applied(page);
    default:
      return FALSE;
  }
}

// Read as the signed 16-bit number the control reports.
std::int32_t Position(HWND page, std::size_t row) {
  return static_cast<short>(SendDlgItemMessageW(page, SpinId(row), UDM_GETPOS32, 0, 0));
}

void SetPosition(HWND page, std::size_t row, std::int32_t value) {
  SendDlgItemMessageW(page, SpinId(row), UDM_SETPOS32, 0, value);
}

// Keeps the corner and middle lengths together after one of them changed.
// Only what differs is written back, so the edits' own notifications of
// that change find nothing more to do.
void CoupleLengths(HWND page, EdgeLengths (*edited)(EdgeLengths)) {
  const EdgeLengths before{Position(page, kCornerRow), Position(page, kMiddleRow)};
  const EdgeLengths after = edited(before);
  if (after.corner != before.corner) SetPosition(page, kCornerRow, after.corner);
  if (after.middle != before.middle) SetPosition(page, kMiddleRow, after.middle);
}

void InitNumbersPage(HWND page, const Settings& options) {
  const auto rows = OptionNumberRows();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    SendDlgItemMessageW(page, SpinId(row), UDM_SETRANGE32, rows[row].low, rows[row].high);
    SetPosition(page, row, options.*rows[row].field);
  }
  for (const std::u16string_view item : MustButtonForShowItems()) {
    const std::wstring text = WideString(item);
    SendDlgItemMessageW(page, IDC_OPTION_MUST_BUTTON, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendDlgItemMessageW(page, IDC_OPTION_MUST_BUTTON, CB_SETCURSEL, static_cast<WPARAM>(options.mustButtonForShow), 0);
}

void TakeNumbersPage(HWND page, Settings& options) {
  OptionNumbers positions{};
  for (std::size_t row = 0; row < positions.size(); ++row) positions[row] = Position(page, row);
  const int item = static_cast<int>(SendDlgItemMessageW(page, IDC_OPTION_MUST_BUTTON, CB_GETCURSEL, 0, 0));
  TakeOptionNumbers(options, positions, item);
}

INT_PTR CALLBACK NumbersPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitNumbersPage(page, Attach(page, lParam)->options);
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) != EN_UPDATE) return FALSE;
      if (LOWORD(wParam) == EditId(kCornerRow)) CoupleLengths(page, &CornerLengthEdited);
      if (LOWORD(wParam) == EditId(kMiddleRow)) CoupleLengths(page, &MiddleLengthEdited);
      return TRUE;
    case WM_NOTIFY:
      if (!IsApply(lParam)) return FALSE;
      DataOf(page)->applied = true;
      TakeNumbersPage(page, DataOf(page)->options);
      return Applied(page);
    default:
      return FALSE;
  }
}

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM lParam) {
  if (message == PSCB_PRECREATE) FitSheetTemplateToPages(lParam, GetModuleHandleW(nullptr), IDD_OPTIONS_FLAGS);
  if (message == PSCB_INITIALIZED) TakeOwnersIcon(sheet);
  return 0;
}

PROPSHEETPAGEW Page(HINSTANCE instance, int templateId, DLGPROC procedure, SheetData& data) {
  PROPSHEETPAGEW page{};
  page.dwSize = sizeof page;
  // Both pages exist from the start, so both take over their controls on OK.
  // Where this is not honoured, a page never shown takes nothing over and
  // the settings it holds stay as they were.
  page.dwFlags = PSP_PREMATURE;
  page.hInstance = instance;
  page.pszTemplate = MAKEINTRESOURCEW(templateId);
  page.pfnDlgProc = procedure;
  page.lParam = reinterpret_cast<LPARAM>(&data);
  return page;
}

}  // namespace

bool RunOptionsSheet(HINSTANCE instance, HWND owner, Settings& options) {
  SheetData data{options, false};
  PROPSHEETPAGEW pages[] = {
      Page(instance, IDD_OPTIONS_FLAGS, &FlagsPageProc, data),
      Page(instance, IDD_OPTIONS_NUMBERS, &NumbersPageProc, data),
  };
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP | PSH_USECALLBACK;
  header.hwndParent = owner;
  header.hInstance = instance;
  header.pszCaption = L"オプション";
  header.nPages = static_cast<UINT>(std::size(pages));
  header.nStartPage = 0;
  header.ppsp = pages;
  header.pfnCallback = &SheetCallback;
  PropertySheetW(&header);
  return data.applied;
}

}  // namespace peekbar::win32
