#include "win32/registration/registration_sheet_window.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "win32/app/wide.h"
#include "resource.h"

namespace peekbar::win32 {
namespace {

// The copy button takes the list's text up to this many units, NUL included.
constexpr std::size_t kCopyUnits = 1024;

struct SheetWindow;

// What each page is created with: the sheet and which of its pages it is.
struct PageContext {
  SheetWindow* sheetWindow = nullptr;
  int type = 0;
};

// The open sheet: the core's state, and the brush last handed out for each
// location's swatch (deleted when the sheet closes).
struct SheetWindow {
  explicit SheetWindow(RegistrationSheet& s) : sheet(s) {}
  SheetWindow(const SheetWindow&) = delete;
  SheetWindow& operator=(const SheetWindow&) = delete;
  ~SheetWindow() {
    for (HBRUSH& brush : swatchBrushes) {
      if (brush != nullptr) DeleteObject(brush);
      brush = nullptr;
    }
  }

  RegistrationSheet& sheet;
  std::array<HBRUSH, kLocationCount> swatchBrushes{};
  std::array<PageContext, kRegistrationPageCount> pages{};
};

int RowControl(int row, int offset) { return IDC_REGISTRATION_ROW + IDC_REGISTRATION_ROW_STEP * row + offset; }

// The row and the part of it a control belongs to; false for controls
// outside the rows of this page.
bool SplitRowControl(const RegistrationPage& page, int id, int& row, int& offset) {
  if (id < IDC_REGISTRATION_ROW) return false;
  row = (id - IDC_REGISTRATION_ROW) / IDC_REGISTRATION_ROW_STEP;
  offset = (id - IDC_REGISTRATION_ROW) % IDC_REGISTRATION_ROW_STEP;
  return row < page.rowCount;
}

void SetText(HWND page, int id, std::u16string_view text) {
  SetDlgItemTextW(page, id, WideString(text).c_str());
}

void FillPage(HWND page, const PageContext& context) {
  RegistrationSheet& sheet = context.sheetWindow->sheet;
  const RegistrationPage& layout = kRegistrationPages[static_cast<std::size_t>(context.type)];
  for (int r = 0; r < layout.rowCount; ++r) {
    const SheetRow row = sheet.FillRow(layout.locations[static_cast<std::size_t>(r)]);
    SetText(page, RowControl(r, IDC_REG_FRAME), row.name);
    SendDlgItemMessageW(page, RowControl(r, IDC_REG_KEYWORD), EM_LIMITTEXT, kKeywordUnits - 1, 0);
    SetText(page, RowControl(r, IDC_REG_KEYWORD), row.keyword);
    CheckRadioButton(page, RowControl(r, IDC_REG_WILDCARD), RowControl(r, IDC_REG_REGEX),
                     RowControl(r, row.isRegex ? IDC_REG_REGEX : IDC_REG_WILDCARD));
    const HWND list = GetDlgItem(page, RowControl(r, IDC_REG_WINDOW_LIST));
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideString(kNotRegisteredItem).c_str()));
    for (const std::u16string& label : sheet.CandidateLabels()) {
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(label)));
    }
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(row.selection), 0);
  }
}

void ApplyPage(HWND page, const PageContext& context) {
  RegistrationSheet& sheet = context.sheetWindow->sheet;
  const RegistrationPage& layout = kRegistrationPages[static_cast<std::size_t>(context.type)];
  for (int r = 0; r < layout.rowCount; ++r) {
    wchar_t keyword[kKeywordUnits] = {};
    const UINT length = GetDlgItemTextW(page, RowControl(r, IDC_REG_KEYWORD), keyword, kKeywordUnits);
    const bool isRegex = IsDlgButtonChecked(page, RowControl(r, IDC_REG_REGEX)) == BST_CHECKED;
    const auto selection =
        static_cast<int>(SendDlgItemMessageW(page, RowControl(r, IDC_REG_WINDOW_LIST), CB_GETCURSEL, 0, 0));
    sheet.ApplyRow(FromHwnd(page), layout.locations[static_cast<std::size_t>(r)], Utf16(keyword, length), isRegex,
                   selection);
  }
}

// The list's text as Unicode text on the clipboard, for pasting into a
// keyword; nothing when the clipboard can't be opened.
void CopyListText(HWND page, int row) {
  wchar_t text[kCopyUnits] = {};
  const UINT length = GetDlgItemTextW(page, RowControl(row, IDC_REG_WINDOW_LIST), text, kCopyUnits);
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  if (const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, kCopyUnits * sizeof(wchar_t))) {
    if (void* data = GlobalLock(block)) {
      std::memcpy(data, text, length * sizeof(wchar_t));
      GlobalUnlock(block);
    }
    if (SetClipboardData(CF_UNICODETEXT, block) == nullptr) GlobalFree(block);
  }
  CloseClipboard();
}

// After the colour chooser: every swatch of the page in its colour, and the
// buttons drawn again over them.
void RepaintSwatches(HWND page, const RegistrationPage& layout) {
  for (int r = 0; r < layout.rowCount; ++r) {
    RedrawWindow(GetDlgItem(page, RowControl(r, IDC_REG_SWATCH)), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RedrawWindow(GetDlgItem(page, RowControl(r, IDC_REG_COLOR)), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
}

void OnRowButton(HWND page, const PageContext& context, int row, int offset) {
  RegistrationSheet& sheet = context.sheetWindow->sheet;
  const RegistrationPage& layout = kRegistrationPages[static_cast<std::size_t>(context.type)];
  const int location = layout.locations[static_cast<std::size_t>(row)];
  switch (offset) {
    case IDC_REG_UNDO:
      SendDlgItemMessageW(page, RowControl(row, IDC_REG_WINDOW_LIST), CB_SETCURSEL,
                          static_cast<WPARAM>(sheet.OpeningSelection(location)), 0);
      break;
    case IDC_REG_COPY:
      CopyListText(page, row);
      break;
    case IDC_REG_COLOR:
      sheet.ChooseGuideColor(FromHwnd(page), location);
      RepaintSwatches(page, layout);
      break;
    default:
      break;
  }
}

// The swatch's background in the location's guide colour; other statics
// are drawn as usual.
INT_PTR SwatchBrush(const PageContext& context, HWND control) {
  const RegistrationPage& layout = kRegistrationPages[static_cast<std::size_t>(context.type)];
  int row = 0;
  int offset = 0;
  if (!SplitRowControl(layout, GetDlgCtrlID(control), row, offset) || offset != IDC_REG_SWATCH) return FALSE;
  const int location = layout.locations[static_cast<std::size_t>(row)];
  HBRUSH& brush = context.sheetWindow->swatchBrushes[static_cast<std::size_t>(location)];
  if (brush != nullptr) DeleteObject(brush);
  brush = CreateSolidBrush(context.sheetWindow->sheet.GuideColor(location));
  return reinterpret_cast<INT_PTR>(brush);
}

INT_PTR OnNotify(HWND page, const PageContext& context, const NMHDR& header) {
  switch (header.code) {
    case PSN_SETACTIVE:
      PropSheet_Changed(GetParent(page), page);  // Apply is always available
      SetWindowLongPtrW(page, DWLP_MSGRESULT, 0);
      return TRUE;
    case PSN_APPLY:
      ApplyPage(page, context);
      SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* context = reinterpret_cast<const PageContext*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam);
    SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(context));
    FillPage(page, *context);
    return TRUE;
  }
  const auto* context = reinterpret_cast<const PageContext*>(GetWindowLongPtrW(page, DWLP_USER));
  if (context == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND: {
      int row = 0;
      int offset = 0;
      if (HIWORD(wParam) != BN_CLICKED ||
          !SplitRowControl(kRegistrationPages[static_cast<std::size_t>(context->type)], LOWORD(wParam), row, offset)) {
        return FALSE;
      }
      OnRowButton(page, *context, row, offset);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC: return SwatchBrush(*context, reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY: return OnNotify(page, *context, *reinterpret_cast<const NMHDR*>(lParam));
    default: return FALSE;
  }
}

// Every page is made when the sheet opens (PSP_PREMATURE), so that OK also
// applies the pages never looked at. Where the common controls make only the
// start page, the missing ones are made here, before the sheet is shown, by
// selecting each of them; the start page is selected again last.
void MakeEveryPage(HWND sheet) {
  bool made = false;
  for (int type = 1; type < kRegistrationPageCount; ++type) {
    if (PropSheet_IndexToHwnd(sheet, type) != nullptr) continue;
    PropSheet_SetCurSel(sheet, nullptr, type);
    made = true;
  }
  if (made) PropSheet_SetCurSel(sheet, nullptr, 0);
}

// The sheet has just been sized to its pages: it comes up in the middle of
// the work area, or at its top left when it is larger.
void CentreOnWorkArea(HWND sheet) {
  RECT rect{};
  GetWindowRect(sheet, &rect);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(sheet, MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
  const RECT& work = monitor.rcWork;
  const LONG x = std::max(work.left, work.left + (work.right - work.left - (rect.right - rect.left)) / 2);
  const LONG y = std::max(work.top, work.top + (work.bottom - work.top - (rect.bottom - rect.top)) / 2);
  SetWindowPos(sheet, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED) {
    MakeEveryPage(sheet);
    CentreOnWorkArea(sheet);
  }
  return 0;
}

}  // namespace

void RunRegistrationSheet(HINSTANCE instance, HWND owner, RegistrationSheet& sheet) {
  SheetWindow sheetWindow(sheet);
  std::array<std::wstring, kRegistrationPageCount> captions;
  std::array<HPROPSHEETPAGE, kRegistrationPageCount> pages{};
  for (int type = 0; type < kRegistrationPageCount; ++type) {
    const auto t = static_cast<std::size_t>(type);
    const RegistrationPage& layout = kRegistrationPages[t];
    sheetWindow.pages[t] = {&sheetWindow, type};
    captions[t] = WideString(layout.caption);
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    // Premature: every page is created, and its rows filled, when the sheet
    // opens, so that OK applies the pages never looked at as well.
    page.dwFlags = PSP_USETITLE | PSP_PREMATURE;
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEW(layout.rowCount == kMaxSheetRows ? IDD_REGISTRATION_CORNERS
                                                                         : IDD_REGISTRATION_EDGE);
    page.pfnDlgProc = PageProc;
    page.pszTitle = captions[t].c_str();
    page.lParam = reinterpret_cast<LPARAM>(&sheetWindow.pages[t]);
    pages[t] = CreatePropertySheetPageW(&page);
    if (pages[t] == nullptr) {
      for (std::size_t made = 0; made < t; ++made) DestroyPropertySheetPage(pages[made]);
      return;
    }
  }
  const std::wstring caption = WideString(sheet.Caption());
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_USEICONID | PSH_USECALLBACK | PSH_NOCONTEXTHELP;
  header.hwndParent = owner;
  header.hInstance = instance;
  header.pszIcon = MAKEINTRESOURCEW(IDI_APP);
  header.pszCaption = caption.c_str();
  header.nPages = kRegistrationPageCount;
  header.nStartPage = 0;
  header.phpage = pages.data();
  header.pfnCallback = SheetCallback;
  PropertySheetW(&header);
}

}  // namespace peekbar::win32
